#include "better_kind.h"

#include "better_kind_text.h"
#include "gear_list.h"
#include "search.h"
#include "thread.h"

#include <gtest/gtest.h>

#include <cmath>

#include <optional>
#include <vector>

namespace {

SolutionRecord Train(std::uint32_t gears, double error) {
    SolutionRecord train{error, 20, 30, 40, 50};
    train.gears = gears;
    return train;
}

// The trial lathe: 8 TPI leadscrew, a 16 DP banjo, the fit on.
SearchRequest TrialLathe(const Thread& thread, TrainKind kind) {
    SearchRequest request;
    request.target = TargetRatio(thread);
    EXPECT_EQ(ReadGearList("20-35/5, 40x2, 45-80/5, 127", request.stock), "");
    request.method = SearchMethod::EveryTrain;
    request.tolerance = kThreadTolerance;
    request.fitMargin = 15;
    request.train = kind;
    request.banjo = Banjo{25.4 / 16, 165, 50, 130, 3, std::nullopt, 80};
    request.count = false;
    return request;
}

} // namespace

// The decision over the kinds and their errors, with a tolerance of 1000: a
// tenth of it (100) is the penalty of each pair of gears beyond the first.
TEST(BetterKind, DecisionByTheOrderOfEveryKind) {
    struct Case {
        std::optional<SolutionRecord> chosen;
        std::vector<SolutionRecord> others;
        std::optional<std::uint32_t> hinted; // the gears of the train hinted, none for nothing to hint
    } cases[] = {
        {Train(4, 100), {Train(6, 0)}, std::nullopt},                  // within a tenth: nothing searched
        {Train(4, 606), {Train(6, 0)}, 6},                             // the 2-start 1.5 mm thread
        {std::nullopt, {Train(6, 900)}, 6},                            // only six gears within tolerance
        {std::nullopt, {}, std::nullopt},                              // no kind has a train
        {Train(4, 150), {Train(6, 60)}, std::nullopt},                 // closer by less than a tenth
        {Train(4, 250), {Train(6, 120)}, 6},                           // closer by more than a tenth
        {Train(6, 300), {Train(2, 400), Train(4, 450)}, 2},            // fewer gears within a tenth first
        {Train(6, 300), {Train(4, 450)}, std::nullopt},                // four gears 150 worse
        {Train(2, 500), {Train(4, 300), Train(6, 0)}, 6},              // the first other in the order
        {Train(2, 500), {Train(4, 350), Train(6, 450)}, 4},            // four gears 150 closer
        {Train(2, 500), {Train(4, 420), Train(6, 320)}, std::nullopt}, // neither closer by enough
    };
    for (const Case& c : cases) {
        const std::optional<SolutionRecord> hinted = BetterKindOf(c.chosen, c.others, 1000);
        EXPECT_EQ(hinted ? std::optional(hinted->gears) : std::nullopt, c.hinted)
            << (c.chosen ? c.chosen->gears : 0) << " gears at " << (c.chosen ? c.chosen->error : -1);
    }
}

// 36 TPI on the trial lathe is exact only with six gears: every other kind
// says so, six gears and every kind have nothing to hint.
TEST(BetterKind, ThirtySixTpiOnTheTrialLathe) {
    const Thread thread{{36, PitchUnit::Tpi}, 1, {8, PitchUnit::Tpi}, 1};
    for (const auto& [kind, hinted] : {std::pair{TrainKind::Simple, true},
                                       {TrainKind::Compound, true},
                                       {TrainKind::Six, false},
                                       {TrainKind::Any, false}}) {
        const SearchRequest request = TrialLathe(thread, kind);
        const std::optional<BetterKind> better = FindBetterKind(request, RunSearch(request).solutions);
        ASSERT_EQ(better.has_value(), hinted) << static_cast<int>(kind);
        if (better) {
            EXPECT_EQ(better->train.gears, 6u);
            EXPECT_TRUE(BetterKindText(*better, {kind, 15, request.banjo}, request.target, thread)
                            .starts_with("exact with six gears: "));
        }
    }
}

// The words: exact, or within the tolerance with the lead error (a thread) or
// the ratio's error; the gears in the order the window shows them.
TEST(BetterKind, Words) {
    const Thread thread{{1.5, PitchUnit::Mm}, 2, {8, PitchUnit::Tpi}, 1}; // target 0.944882
    SolutionRecord six{0, 30, 75, 25, 60, 6, 80, 127};
    six.error = std::fabs(TrainRatio(six) - TargetRatio(thread));
    SolutionRecord four{0, 40, 65, 50, 55};
    four.error = std::fabs(TrainRatio(four) - TargetRatio(thread));
    SolutionRecord two{0, 20, 0, 40, 0, 2};
    two.idler = 21;
    two.error = 0.0001;
    const ShowSettings boxes{TrainKind::Compound};
    EXPECT_EQ(BetterKindText({six, kThreadTolerance}, boxes, TargetRatio(thread), thread),
              "exact with six gears: 30 127 75 60 80 25");
    EXPECT_EQ(BetterKindText({four, kThreadTolerance}, boxes, TargetRatio(thread), thread),
              "within 0.1 % with four gears: 40 55 65 50 (+606.1 ppm)");
    EXPECT_EQ(BetterKindText({two, {0.002, false}}, {TrainKind::Six}, 0.4999, std::nullopt),
              "within 0.002 with two gears: 20 21 40 (error 0.00010000000000)");
}
