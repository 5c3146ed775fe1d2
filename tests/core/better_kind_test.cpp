#include "better_kind.h"

#include "better_kind_text.h"

#include <gtest/gtest.h>

#include <cmath>

// The decision over the kinds and their errors, with a tolerance of 1000: a
// tenth of it (100) is the penalty of each pair of gears beyond the first.
TEST(BetterKind, DecisionByTheOrderOfEveryKind) {
    const auto train = [](std::uint32_t gears, double error) {
        SolutionRecord record{error, 20, 30, 40, 50};
        record.gears = gears;
        return record;
    };
    struct Case {
        std::optional<SolutionRecord> chosen;
        std::vector<SolutionRecord> others;
        std::uint32_t hinted; // the gears of the train named, 0 for nothing to say
    } cases[] = {
        {train(4, 100), {train(6, 0)}, 0},                  // within a tenth: nothing searched
        {train(4, 606), {train(6, 0)}, 6},                  // the 2-start 1.5 mm thread
        {std::nullopt, {train(6, 900)}, 6},                 // only six gears within tolerance
        {train(6, 300), {train(2, 400), train(4, 450)}, 2}, // fewer gears within a tenth first
        {train(2, 500), {train(4, 300), train(6, 0)}, 6},   // the first other in the order
        {train(2, 500), {train(4, 350), train(6, 450)}, 4}, // four gears 150 closer
        {train(2, 500), {train(4, 420), train(6, 320)}, 0}, // neither closer by enough
    };
    for (const Case& c : cases) {
        const std::optional<SolutionRecord> named = BetterKindOf(c.chosen, c.others, 1000);
        EXPECT_EQ(named ? named->gears : 0, c.hinted) << (c.chosen ? c.chosen->error : -1);
    }
}

// Not exact: the lead error of a thread, or the error of a plain ratio as the
// window's error field gives it; the gears in the order the window shows them.
TEST(BetterKind, WordsOfATrainNotExact) {
    const Thread thread{{1.5, PitchUnit::Mm}, 2, {8, PitchUnit::Tpi}, 1};
    SolutionRecord four{0, 40, 65, 50, 55};
    four.error = std::fabs(TrainRatio(four) - TargetRatio(thread));
    EXPECT_EQ(BetterKindText({four, kThreadTolerance}, {}, TargetRatio(thread), thread),
              "within 0.1 % with four gears: 40 55 65 50 (+606.1 ppm)");
    SolutionRecord two{0.0001, 20, 0, 40, 0, 2};
    two.idler = 21;
    EXPECT_EQ(BetterKindText({two, {0.002, false}}, {}, 0.4999, std::nullopt),
              "within 0.002 with two gears: 20 21 40 (error 0.00010000000000)");
}
