#include "dial.h"

#include "brute_force_dial.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <string>

namespace {

using brute_force::Exact;

Exact Tpi(std::int64_t halfThreadsPerInch) {
    return {2 * 254, 10 * halfThreadsPerInch};
} // 25.4 / (h/2)
Exact Mm(std::int64_t twentieths) {
    return {twentieths, 20};
}

TEST(Dial, AgreesWithTheDialReadPositionByPosition) {
    std::mt19937 random(27);
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t lines = std::array<std::uint32_t, 7>{2, 4, 6, 8, 10, 12, 16}[uniform(0, 6)];
        const Dial dial{.teeth = {static_cast<std::uint32_t>(uniform(10, 24)),
                                  static_cast<std::uint32_t>(uniform(10, 24))},
                        .lines = lines,
                        .numbers = lines};
        const Exact leadscrew = uniform(0, 1) ? Tpi(2 * uniform(2, 10)) : Mm(20 * uniform(2, 6));
        const Exact pitch = uniform(0, 1) ? Tpi(uniform(6, 80)) : Mm(uniform(4, 120));
        const Exact lead{pitch.num * uniform(1, 4), pitch.den};
        const DialAdvice advice = AdviseDial(dial, leadscrew.Mm(), lead.Mm());

        const auto [gear, step] = brute_force::BruteDial(dial, leadscrew, lead);
        ASSERT_EQ(advice.step, step) << i;
        ASSERT_EQ(advice.gear, gear) << i;
        ASSERT_EQ(advice.closed, step == 0) << i;
    }
}

// A 16-tooth, 8-line dial on an 8 TPI leadscrew, as the dial tables print it.
TEST(Dial, ReadsAsThePublishedTable) {
    const Dial dial{.teeth = {16}, .lines = 8, .numbers = 8};
    const auto text = [&](double tpi) { return AdviseDial(dial, 25.4 / 8, 25.4 / tpi).text; };
    for (double tpi : {4, 8, 12, 16, 20, 24, 28, 32, 40}) {
        EXPECT_EQ(text(tpi), "any line") << tpi;
    }
    for (double tpi : {10, 14, 18, 22, 26}) {
        EXPECT_EQ(text(tpi), "every other line (2, 4, 6, 8 or 1, 3, 5, 7)") << tpi;
    }
    for (double tpi : {5, 7, 9, 11, 13}) {
        EXPECT_EQ(text(tpi), "opposite lines (1 and 5)") << tpi;
    }
    for (double tpi : {4.5, 5.5, 9.5}) {
        EXPECT_EQ(text(tpi), "the same line") << tpi;
    }
    EXPECT_EQ(text(25.4 / 1.25),
              "keep the half-nut closed and reverse the spindle"); // M8 on an inch leadscrew
}

// The numbers a dial carries name its lines; the choice of gear; the checks.
TEST(Dial, NamesItsNumberedLinesAndTheGearWithTheMostLines) {
    const Dial four{.teeth = {16}, .lines = 8, .numbers = 4};
    EXPECT_EQ(AdviseDial(four, 25.4 / 8, 25.4 / 10).text, "every other line (1, 2, 3, 4)");
    EXPECT_EQ(AdviseDial(four, 25.4 / 8, 25.4 / 13).text, "opposite lines (1 and 3)");
    const Dial twelve{.teeth = {12}, .lines = 12, .numbers = 12};
    EXPECT_EQ(AdviseDial(twelve, 3, 3.0 * 12 / 4).text, "every third line (1, 4, 7, 10)");

    // On a 3 mm leadscrew a 4 mm lead: with 16 teeth a turn is 48 mm, 12
    // leads, and a line 6 mm, every other line; with 14 or 15 teeth a turn is
    // no whole number of leads.
    const Dial metric{.teeth = {14, 15, 16}, .lines = 8, .numbers = 8};
    const DialAdvice advice = AdviseDial(metric, 3, 4);
    EXPECT_EQ(advice.gear, 16u);
    EXPECT_EQ(advice.step, 2u);

    EXPECT_EQ(DialProblem(metric), "");
    EXPECT_EQ(DialProblem({.teeth = {}, .lines = 8, .numbers = 8}), "the dial needs teeth");
    EXPECT_EQ(DialProblem({.teeth = {16}, .lines = 8, .numbers = 3}),
              "the dial's numbers must divide its 8 lines");
    EXPECT_EQ(DialProblem({.teeth = {16}, .lines = 0, .numbers = 1}), "the dial's lines must be 1 to 360");
}

} // namespace
