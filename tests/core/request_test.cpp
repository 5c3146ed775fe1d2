#include "request.h"

#include "brute_force_trains.h"
#include "gear_list.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// The trial lathe of the thread traps: 8 TPI leadscrew, the fit on a 16 DP banjo.
Lathe TrialLathe() {
    Lathe lathe;
    ReadGearList("20-35/5, 40x2, 45-80/5, 127", lathe.stock);
    lathe.leadscrew = Pitch{8, PitchUnit::Tpi};
    lathe.fixed = 0.5;
    lathe.fitMargin = 15;
    lathe.banjo = Banjo{25.4 / 16, 165, 50, 130, 3, std::nullopt, 80};
    return lathe;
}

} // namespace

// What the lathe, the target, the kind and the ask make of a search: the
// lathe's gears, fit and banjo always; a thread's target the complete search
// within the tolerance given or the thread's own, whatever method was asked.
TEST(LatheSearch, MakesTheSearchFromTheLatheTargetAndKind) {
    Lathe bare;
    ReadGearList("20-30", bare.stock);
    const Lathe trial = TrialLathe();
    const Tolerance ppm20{20, true};
    const Tolerance absolute{0.0005, false};
    constexpr SearchMethod kBisection = SearchMethod::Bisection;
    constexpr SearchMethod kEvery = SearchMethod::EveryTrain;
    const struct {
        const Lathe& lathe;
        TrainKind train;
        SearchAsk ask;
        SearchMethod method;
        Tolerance tolerance;
        bool count; // six-gear trains only when asked
    } cases[] = {
        {bare, TrainKind::Compound, {}, kBisection, Tolerance{}, true},
        {bare, TrainKind::Six, {.method = kEvery, .tolerance = absolute}, kEvery, absolute, false},
        {bare, TrainKind::Six, {.method = kEvery, .countSix = true}, kEvery, Tolerance{}, true},
        {trial, TrainKind::Simple, {.tolerance = ppm20}, kBisection, ppm20, true},
        {trial, TrainKind::Compound, {.thread = true}, kEvery, kThreadTolerance, true},
        {trial,
         TrainKind::Any,
         {.method = kBisection, .tolerance = ppm20, .thread = true},
         kEvery,
         ppm20,
         false},
        {bare, TrainKind::Compound, {.tolerance = absolute, .thread = true}, kEvery, absolute, true},
    };
    for (const auto& c : cases) {
        const SearchRequest request = LatheSearch(c.lathe, 0.25, c.train, c.ask);
        EXPECT_EQ(request.target, 0.25);
        EXPECT_EQ(request.stock, c.lathe.stock);
        EXPECT_EQ(request.method, c.method);
        EXPECT_EQ(request.tolerance, c.tolerance);
        EXPECT_EQ(request.fitMargin, c.lathe.fitMargin);
        EXPECT_EQ(request.train, c.train);
        EXPECT_EQ(request.banjo, c.lathe.banjo);
        EXPECT_EQ(request.limit, SearchRequest{}.limit);
        EXPECT_EQ(request.count, c.count);
    }
}

// Asked for the quick search, a thread on the trial lathe gets exactly the
// complete search's trains within its tolerance: for 0.35 mm none, not the
// bisection's 1.8 % short one.
TEST(LatheSearch, AThreadIsJudgedByTheCompleteSearchWithItsOwnTolerance) {
    const Lathe lathe = TrialLathe();
    for (const Pitch& pitch : MetricPitches()) {
        const double target = TargetRatio({pitch, 1, *lathe.leadscrew, lathe.fixed});
        const EveryTrainOptions every{kThreadTolerance.For(target), 100, 15, lathe.banjo};
        EXPECT_TRUE(
            SameSearchResult(RunSearch(LatheSearch(lathe, target, TrainKind::Compound, {.thread = true})),
                             brute_force::FindEveryTrain(target, lathe.stock, every)))
            << pitch.value;
    }
}

// A chart needs the leadscrew; its rows are searched as threads on the lathe.
TEST(LatheChart, ChartsThePitchesOnTheLathesLeadscrew) {
    Lathe lathe = TrialLathe();
    const std::optional<ChartRequest> chart =
        LatheChart(lathe, ImperialPitches(), TrainKind::Six, Tolerance{50, true});
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->lathe.leadscrew.value, 8);
    EXPECT_EQ(chart->lathe.fixed, 0.5);
    EXPECT_EQ(chart->lathe.starts, 1u);
    EXPECT_EQ(chart->pitches.size(), ImperialPitches().size());
    const SearchRequest rows =
        LatheSearch(lathe, 0, TrainKind::Six, {.tolerance = Tolerance{50, true}, .thread = true});
    EXPECT_TRUE(chart->search.method == rows.method && chart->search.tolerance == rows.tolerance &&
                chart->search.stock == rows.stock && chart->search.fitMargin == rows.fitMargin &&
                chart->search.train == rows.train && chart->search.banjo == rows.banjo);
    EXPECT_EQ(LatheChart(lathe, {}, TrainKind::Compound)->search.tolerance, kThreadTolerance);
    lathe.leadscrew.reset();
    EXPECT_FALSE(LatheChart(lathe, MetricPitches(), TrainKind::Compound));
}
