// The threading dial read off position by position, in exact fractions, for
// the tests: AdviseDial and every advice built on it must agree with it.
#pragma once

#include "dial.h"

#include <cstdint>
#include <numeric>

namespace brute_force {

// A length as an exact fraction of a millimetre, in lowest terms.
struct Exact {
    std::int64_t num;
    std::int64_t den;
    double Mm() const { return static_cast<double>(num) / static_cast<double>(den); }
};

inline Exact Reduced(std::int64_t num, std::int64_t den) {
    const std::int64_t divisor = std::gcd(num, den);
    return {num / divisor, den / divisor};
}

// A pass may close the half-nut at place j when the carriage travel from the
// first start, j lines plus any of the next few whole turns, is a whole
// number of leads. The safe step is the first such place after 0; the same
// line when only 0 is; none (0) when not even 0 is, as the same line then
// comes round at another place of the thread.
inline std::uint32_t BruteStep(std::uint32_t teeth, std::uint32_t lines, Exact leadscrew, Exact lead) {
    const auto safe = [&](std::uint32_t place) {
        for (std::int64_t turns = 0; turns < 4; ++turns) {
            // (place / lines + turns) * teeth * leadscrew / lead, as a fraction
            const std::int64_t num = (place + turns * lines) * teeth * leadscrew.num * lead.den;
            const std::int64_t den = static_cast<std::int64_t>(lines) * leadscrew.den * lead.num;
            if (num % den != 0) {
                return false;
            }
        }
        return true;
    };
    if (!safe(0)) {
        return 0;
    }
    for (std::uint32_t place = 1; place < lines; ++place) {
        if (safe(place)) {
            return place;
        }
    }
    return lines;
}

// Of the dial's gears the one with the smallest safe step, the first listed
// among equals; the first gear and step 0 when none has a safe line.
struct BruteAdvice {
    std::uint32_t gear;
    std::uint32_t step;
};

inline BruteAdvice BruteDial(const Dial& dial, Exact leadscrew, Exact lead) {
    BruteAdvice best{dial.teeth.front(), 0};
    for (const std::uint32_t teeth : dial.teeth) {
        const std::uint32_t step = BruteStep(teeth, dial.lines, leadscrew, lead);
        if (step != 0 && (best.step == 0 || step < best.step)) {
            best = {teeth, step};
        }
    }
    return best;
}

} // namespace brute_force
