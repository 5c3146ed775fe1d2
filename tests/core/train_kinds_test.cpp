#include "banjo.h"
#include "brute_force_trains.h"
#include "mount.h"
#include "placement.h"
#include "random_cases.h"
#include "search.h"
#include "simple_train.h"
#include "six_gear.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The least room a train placed at p leaves, from where its shafts stand: each
// gear's tips and the clearance to every shaft but its neighbours' in position
// order (its own and its partners'), a simple train's A to D, the last stud to
// the slot's ends; -infinity when a mesh is off or A or the last gear too large.
double LeastRoom(const Banjo& b, const std::vector<std::uint32_t>& g, const std::optional<Placement>& p) {
    if (!p || g[0] > b.maxA.value_or(255) || g.back() > b.maxLast.value_or(255)) {
        return -HUGE_VAL;
    }
    const std::vector<Point>& at = p->shafts;
    const auto on = [&](std::size_t i, std::size_t s) { return i < g.size() && p->gears[i].shaft == s; };
    const double stud = Distance(at[at.size() - 2], at.back());
    double room = std::min(stud - b.studMin, b.studMax - stud);
    for (std::size_t i = 0; i < g.size(); ++i) {
        for (std::size_t s = 0; s < at.size(); ++s) {
            const double gap = Distance(at[p->gears[i].shaft], at[s]) - b.module * g[i] / 2;
            if (on(i + 1, s) && !on(i, s) && std::fabs(gap - b.module * g[i + 1] / 2) > 1e-6) {
                return -HUGE_VAL;
            }
            if (!on(i - 1, s) && !on(i, s) && !on(i + 1, s)) {
                room = std::min(room, gap - b.module - b.clearance);
            }
        }
    }
    return g.size() != 3 ? room : std::min(room, Distance(at[0], at[2]) - b.module * (g[0] + g[2] + 4) / 2);
}

} // namespace

TEST(SimpleTrains, MatchBruteForceOnRandomStocks) {
    RandomCases cases(2718);
    std::uint64_t trainsSeen = 0;
    for (int round = 0; round < 1500; ++round) {
        const RandomCase c = cases.Make(12);
        const SearchResult expected = brute_force::FindSimpleTrains(c.target, c.stock, c.options);
        ASSERT_TRUE(SameSearchResult(FindSimpleTrains(c.target, c.stock, c.options), expected))
            << "round " << round << " target " << c.target;
        trainsSeen += expected.trainCount;
    }
    EXPECT_GT(trainsSeen, 1000u);
}

// With and without the counts: the sweep that skips them keeps the same first
// trains, also where many trains tie at the same error.
TEST(SixGearTrains, MatchBruteForceOnRandomStocks) {
    RandomCases cases(31415);
    std::uint64_t trainsSeen = 0;
    for (int round = 0; round < 600; ++round) {
        RandomCase c = cases.Make(8);
        c.options.count = round % 2 == 0;
        // The second target searches the products kept from the first.
        for (const double target : {c.target, 1 / c.target}) {
            const SearchResult expected = brute_force::FindSixGearTrains(target, c.stock, c.options);
            ASSERT_TRUE(SameSearchResult(FindSixGearTrains(target, c.stock, c.options), expected))
                << "round " << round << " target " << target << " count " << c.options.count;
            trainsSeen += expected.solutions.size();
        }
    }
    EXPECT_GT(trainsSeen, 1000u);
}

// Exact trains that tie at the worst error kept: those with the fewest teeth
// are found first, whichever order the sweep meets them in.
TEST(SixGearTrains, ExactTrainsThatTieComeFewestTeethFirst) {
    Stock stock; // 16 to 40 teeth, one of each
    std::fill(stock.count.begin() + 16, stock.count.begin() + 41, 1);
    for (const double target : {0.75, 1.5, 2.0}) {
        const EveryTrainOptions options{0.002, 20, std::nullopt, std::nullopt, false};
        const SearchResult six = FindSixGearTrains(target, stock, options);
        EXPECT_TRUE(SameSearchResult(six, brute_force::FindSixGearTrains(target, stock, options)));
        for (std::size_t i = 1; i < six.solutions.size(); ++i) {
            EXPECT_LE(ToothSum(six.solutions[i - 1]), ToothSum(six.solutions[i])) << target;
        }
    }
}

// Every kind: the brute forces' complete lists merged in the Any order, which many rounds order otherwise
// than by the error (TrainBefore), and the search's merge of each kind's first trains.
TEST(AnyTrain, MergesTheThreeKinds) {
    RandomCases cases(1618);
    int reordered = 0;
    for (int round = 0; round < 300; ++round) {
        const RandomCase c = cases.Make(7);
        const SearchRequest request{.target = c.target,
                                    .stock = c.stock,
                                    .method = SearchMethod::EveryTrain,
                                    .tolerance = {c.options.tolerance, false},
                                    .limit = c.options.limit,
                                    .fitMargin = c.options.fitMargin,
                                    .train = TrainKind::Any,
                                    .banjo = c.options.banjo};
        EveryTrainOptions all = c.options;
        all.limit = 0;
        SearchResult expected{SearchOutcome::Searched, 0, {}};
        for (const auto find :
             {brute_force::FindSimpleTrains, brute_force::FindEveryTrain, brute_force::FindSixGearTrains}) {
            const SearchResult part = find(c.target, c.stock, all);
            expected.outcome = part.outcome;
            expected.candidateCount += part.candidateCount;
            expected.trainCount += part.trainCount;
            expected.solutions.insert(expected.solutions.end(), part.solutions.begin(), part.solutions.end());
        }
        std::ranges::sort(expected.solutions,
                          [&](auto& x, auto& y) { return AnyBefore(x, y, c.options.tolerance); });
        reordered += !std::ranges::is_sorted(expected.solutions, TrainBefore);
        if (c.options.limit != 0 && expected.solutions.size() > c.options.limit) {
            expected.solutions.resize(c.options.limit);
        }
        ASSERT_TRUE(SameSearchResult(RunSearch(request), expected)) << "round " << round;
    }
    EXPECT_GT(reordered, 15);
}

// The outcome says "too few gears" exactly where the gears on hand, a size
// owned twice counting twice, make no train of the kind: within so wide a
// tolerance the brute forces find one wherever one can be made.
TEST(TrainKinds, TooFewGearsExactlyWhereNoTrainCanBeMade) {
    RandomCases cases(4242);
    for (int round = 0; round < 400; ++round) {
        const RandomCase c = cases.Make(3);
        const EveryTrainOptions wide{1e9, 1, std::nullopt};
        const bool simple = !brute_force::FindSimpleTrains(c.target, c.stock, wide).solutions.empty();
        const bool four = !brute_force::FindEveryTrain(c.target, c.stock, wide).solutions.empty();
        const bool six = !brute_force::FindSixGearTrains(c.target, c.stock, wide).solutions.empty();
        for (const auto& [kind, made] : {std::pair{TrainKind::Simple, simple},
                                         {TrainKind::Compound, four},
                                         {TrainKind::Six, six},
                                         {TrainKind::Any, simple || four || six}}) {
            const SearchRequest request{.target = c.target,
                                        .stock = c.stock,
                                        .method = SearchMethod::EveryTrain,
                                        .tolerance = {1e9, false},
                                        .limit = 1,
                                        .train = kind};
            EXPECT_EQ(OutcomeSentence(RunSearch(request), request).starts_with("too few gears on hand: "),
                      !made)
                << round;
        }
    }
}

// Module 1.5 (radius 0.75 mm a tooth), the leadscrew 120 mm from the spindle,
// the slot 40 to 115 mm, clearance 3 mm.
TEST(Banjo, MountsWhatFitsItsSlotAndShafts) {
    const Banjo banjo{1.5, 120, 40, 115, 3, std::nullopt, std::nullopt};
    struct Row {
        Arrangement gears;
        bool mounts;
    };
    const Row rows[] = {
        {{20, 127, 55, 22}, false}, // the 127 on the stud (tip 96.75 mm) fouls the leadscrew 57.75 mm away
        {{20, 55, 127, 22}, false}, // the 127 as C does not clear the spindle 56.25 mm away
        {{55, 22, 20, 127}, true},  // a = 57.75, b = 110.25: the 127 on the leadscrew
        {{40, 40, 20, 20}, false},  // b = 30 mm lies short of the slot
        {{20, 20, 20, 140}, false}, // b = 120 mm lies beyond it
        {{60, 60, 40, 60}, true},   // a = 90, b = 75; tip(C) + 3 = 34.5 <= 90, tip(B) + 3 = 49.5 <= 75
        {{20, 20, 60, 60}, false},  // C's tip (46.5 mm) + 3 does not clear the spindle 30 mm away
        {{30, 30, 40, 40}, false},  // a + b = 105 mm: the stud cannot reach
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Mounts(banjo, row.gears), row.mounts)
            << row.gears[0] << " " << row.gears[1] << " " << row.gears[2] << " " << row.gears[3];
    }
    Banjo limited = banjo;
    limited.maxLast = 100;
    EXPECT_FALSE(Mounts(limited, Arrangement{55, 22, 20, 127}));
    // A simple train: 40 -> 60 -> 40 stands 75 mm from the leadscrew; 80 -> 30 -> 80 would put
    // A and D (tips 61.5 mm) into each other.
    EXPECT_TRUE(MountsSimple(banjo, 40, 60, 40));
    EXPECT_FALSE(MountsSimple(banjo, 80, 30, 80));
}

// The tooth limits the searches prune by hold every four- and six-gear
// arrangement that mounts, on banjos whose lengths put some trains exactly on
// an edge, and pass by many that do not mount.
TEST(Banjo, ToothLimitsHoldEveryTrainThatMounts) {
    RandomCases cases(9001);
    int mounted = 0;
    int passedBy = 0;
    for (int round = 0; round < 40000; ++round) {
        const Banjo banjo = cases.MakeBanjo(165);
        std::array<std::uint32_t, 6> g{};
        for (std::uint32_t& teeth : g) {
            teeth = cases.Uniform(16, 165);
        }
        bool mounts = false;
        bool may = false;
        if (round % 2 == 0) {
            mounts = Mounts(banjo, Arrangement{g[0], g[1], g[2], g[3]});
            may = MayMount(LimitsOf(banjo), std::array{std::min(g[0], g[2]), std::max(g[0], g[2])},
                           std::array{std::min(g[1], g[3]), std::max(g[1], g[3])});
        } else {
            mounts = Mounts(banjo, Arrangement6{g[0], g[1], g[2], g[3], g[4], g[5]});
            std::array drivers = {g[0], g[2], g[4]};
            std::array driven = {g[1], g[3], g[5]};
            std::ranges::sort(drivers);
            std::ranges::sort(driven);
            may = MayMount(LimitsOf(banjo), drivers, driven);
        }
        EXPECT_TRUE(may || !mounts) << "round " << round;
        mounted += mounts;
        passedBy += !may;
    }
    EXPECT_GT(mounted, 1000);
    EXPECT_GT(passedBy, 10000);
}

// Every train the complete searches list with the fit on a banjo, placed as
// the window draws it, stands clear of every shaft its gears pass.
TEST(Banjo, EveryTrainListedStandsClearWhereItIsPlaced) {
    RandomCases cases(4096);
    std::array<int, 4> listed{};
    for (int round = 0; round < 1500; ++round) {
        const RandomCase c = cases.Make(8);
        const Banjo banjo = cases.MakeBanjo(165);
        for (const TrainKind kind : {TrainKind::Simple, TrainKind::Compound, TrainKind::Six}) {
            const SearchRequest request{.target = c.target,
                                        .stock = c.stock,
                                        .method = SearchMethod::EveryTrain,
                                        .tolerance = {c.options.tolerance},
                                        .limit = 0,
                                        .fitMargin = 0u,
                                        .train = kind,
                                        .banjo = banjo};
            for (const SolutionRecord& train : RunSearch(request).solutions) {
                const std::vector<std::uint32_t> gears = Positions(train, MountRule{0, banjo}).value();
                EXPECT_GE(LeastRoom(banjo, gears, PlaceTrain(gears, banjo)), -1e-6) << round;
                ++listed[gears.size() / 2];
            }
        }
    }
    EXPECT_GT(*std::min_element(listed.begin() + 1, listed.end()), 50);
}

// Each train that mounts is placed with its meshing gears their pitch radii
// apart, the leadscrew the centre distance below the spindle and the last
// stud in the slot; without a banjo the meshes hold as well.
TEST(Placement, MeshingGearsTouchAtTheirPitchCircles) {
    RandomCases cases(777);
    int placed = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::uint32_t count = std::array<std::uint32_t, 3>{3, 4, 6}[round % 3];
        std::vector<std::uint32_t> gears;
        for (std::uint32_t i = 0; i < count; ++i) {
            gears.push_back(cases.Uniform(16, 165));
        }
        const bool withBanjo = round % 2 == 0;
        const std::optional<Banjo> banjo = withBanjo ? std::optional(cases.MakeBanjo(165)) : std::nullopt;
        const bool mounts =
            !banjo ||
            (count == 3 ? MountsSimple(*banjo, gears[0], gears[1], gears[2])
             : count == 4
                 ? Mounts(*banjo, Arrangement{gears[0], gears[1], gears[2], gears[3]})
                 : Mounts(*banjo, Arrangement6{gears[0], gears[1], gears[2], gears[3], gears[4], gears[5]}));
        const std::optional<Placement> placement = PlaceTrain(gears, banjo);
        // Gears that stand clear where they are placed mount, and those that foul do not (beyond rounding).
        const double room = banjo ? LeastRoom(*banjo, gears, placement) : 1;
        EXPECT_TRUE(!banjo || std::fabs(room) <= 1e-6 || mounts == (room > 0)) << round;
        if (!mounts) {
            continue;
        }
        ASSERT_TRUE(placement) << "round " << round;
        ++placed;
        const auto& shafts = placement->shafts;
        const auto distance = [&](std::size_t i, std::size_t j) {
            return std::hypot(shafts[i].x - shafts[j].x, shafts[i].y - shafts[j].y);
        };
        const double scale = banjo ? banjo->module : 1;
        for (std::size_t i = 0; i + 1 < count; ++i) {
            const PlacedGear& g = placement->gears[i];
            const PlacedGear& h = placement->gears[i + 1];
            EXPECT_DOUBLE_EQ(g.radius, scale * g.teeth / 2);
            if (g.shaft != h.shaft) {
                EXPECT_NEAR(distance(g.shaft, h.shaft), g.radius + h.radius, 1e-9 * (g.radius + h.radius))
                    << "round " << round << " gear " << i;
            }
        }
        EXPECT_EQ(shafts.front().x, 0);
        EXPECT_EQ(shafts.front().y, 0);
        EXPECT_NEAR(shafts.back().x, 0, 1e-9);
        if (banjo) {
            EXPECT_NEAR(distance(0, shafts.size() - 1), banjo->centreDistance, 1e-9 * banjo->centreDistance);
            const double stud = distance(shafts.size() - 2, shafts.size() - 1);
            EXPECT_GE(stud, banjo->studMin * (1 - 1e-12));
            EXPECT_LE(stud, banjo->studMax * (1 + 1e-12));
            EXPECT_NEAR(StudDistance(*banjo, gears), stud, 1e-9 * stud);
        }
    }
    EXPECT_GT(placed, 1500);
}
