// The threading dial: a gear on the leadscrew that turns a dial of evenly
// spaced lines, and on which of them the half-nut may close again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Dial {
    std::vector<std::uint32_t> teeth; // the gears the dial can take, as the lathe lists them
    std::uint32_t lines = 8;          // lines per turn
    std::uint32_t numbers = 8;        // how many of them carry numbers 1, 2, ..., spread evenly

    bool operator==(const Dial&) const = default;
};

struct DialAdvice {
    std::uint32_t gear = 0; // the teeth to fit
    std::uint32_t step = 0; // a pass may start again every step lines: 1 any line, lines the same line
    bool closed = false;    // no line is safe: the half-nut stays closed (step is 0)
    std::string text;       // "every other line (2, 4, 6, 8 or 1, 3, 5, 7)"
};

// What is wrong with a dial, as a sentence ("the dial needs teeth"): a gear,
// 1 to 360 lines, numbers that divide them; empty when nothing is.
std::string DialProblem(const Dial& dial);

// One turn of the dial is teeth x the leadscrew's pitch of carriage travel,
// one line that over the lines. Closing on a line is safe when every carriage
// position the line stands for, one line's travel times that line's place
// plus any whole number of turns, is a whole number of the thread's leads.
// Of several dial gears the one with the most safe lines is chosen, the first
// listed among equals.
DialAdvice AdviseDial(const Dial& dial, double leadscrewMm, double leadMm);

// The advice as a train's line says it: "dial: any line"; with several dial
// gears, the one to fit, "dial gear 16: opposite lines (1 and 5)".
std::string DialText(const Dial& dial, const DialAdvice& advice);
