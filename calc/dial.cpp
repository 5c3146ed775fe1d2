#include "dial.h"

#include <cmath>
#include <numeric>

namespace {

// Whether x is a whole number, allowing for the rounding of the lengths it
// was computed from: a thread of 25.4/13 mm is 13 TPI exactly.
bool Whole(double x) {
    return std::abs(x - std::round(x)) <= 1e-9 * std::max(1.0, std::abs(x));
}

// The smallest number of lines between safe lines for one dial gear, 0 when
// no line is safe: a turn must be a whole number of leads, or the same line
// itself comes round at another place of the thread.
std::uint32_t SafeStep(std::uint32_t teeth, std::uint32_t lines, double leadscrewMm, double leadMm) {
    const double turnInLeads = teeth * leadscrewMm / leadMm;
    if (!Whole(turnInLeads)) {
        return 0;
    }
    for (std::uint32_t step = 1; step < lines; ++step) {
        if (lines % step == 0 && Whole(turnInLeads * step / lines)) {
            return step;
        }
    }
    return lines;
}

// The numbers on the safe lines that start from the line at place first
// (from 0), joined by ", ", or by " and " for two.
std::string NumbersFrom(const Dial& dial, std::uint32_t first, std::uint32_t step) {
    const std::uint32_t spacing = dial.lines / dial.numbers;
    std::vector<std::uint32_t> numbers;
    for (std::uint32_t place = first; place < dial.lines; place += step) {
        if (place % spacing == 0) {
            numbers.push_back(place / spacing + 1);
        }
    }
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += (i == 0 ? "" : numbers.size() == 2 ? " and " : ", ") + std::to_string(numbers[i]);
    }
    return text;
}

std::string Ordinal(std::uint32_t n) {
    static const char* const kWords[] = {"",      "",      "other",   "third", "fourth",
                                         "fifth", "sixth", "seventh", "eighth"};
    if (n < std::size(kWords)) {
        return kWords[n];
    }
    const char* suffix = n % 100 / 10 == 1 ? "th"
                         : n % 10 == 1     ? "st"
                         : n % 10 == 2     ? "nd"
                         : n % 10 == 3     ? "rd"
                                           : "th";
    return std::to_string(n) + suffix;
}

std::string AdviceText(const Dial& dial, std::uint32_t step) {
    if (step == 0) {
        return "keep the half-nut closed and reverse the spindle";
    }
    if (step == 1) {
        return "any line";
    }
    if (step == dial.lines) {
        return "the same line";
    }
    const std::string first = NumbersFrom(dial, 0, step);
    if (dial.lines / step == 2) {
        return "opposite lines (" + first + ")";
    }
    std::string text = "every " + Ordinal(step) + " line (";
    if (step == 2) {
        // Both halves of the dial, as a machinist reads them off it: the even numbers first.
        const std::string odd = NumbersFrom(dial, 1, step);
        text += odd.empty() ? first : odd + " or " + first;
    } else {
        text += first;
    }
    return text + ")";
}

} // namespace

std::string DialProblem(const Dial& dial) {
    if (dial.teeth.empty()) {
        return "the dial needs teeth";
    }
    if (dial.lines < 1 || dial.lines > 360) {
        return "the dial's lines must be 1 to 360";
    }
    if (dial.numbers < 1 || dial.numbers > dial.lines || dial.lines % dial.numbers != 0) {
        return "the dial's numbers must divide its " + std::to_string(dial.lines) + " lines";
    }
    return {};
}

DialAdvice AdviseDial(const Dial& dial, double leadscrewMm, double leadMm) {
    DialAdvice best{.gear = dial.teeth.front(), .step = 0, .closed = true, .text = {}};
    for (const std::uint32_t teeth : dial.teeth) {
        const std::uint32_t step = SafeStep(teeth, dial.lines, leadscrewMm, leadMm);
        if (step != 0 && (best.closed || step < best.step)) {
            best = {.gear = teeth, .step = step, .closed = false, .text = {}};
        }
    }
    best.text = AdviceText(dial, best.step);
    return best;
}

std::string DialText(const Dial& dial, const DialAdvice& advice) {
    const std::string gear =
        dial.teeth.size() > 1 && !advice.closed ? " gear " + std::to_string(advice.gear) : "";
    return "dial" + gear + ": " + advice.text;
}
