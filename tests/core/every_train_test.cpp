#include "every_train.h"
#include "fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <tuple>
#include <vector>

namespace {

using Gears = std::array<std::uint32_t, 4>;

// Every train written out: all d1 <= d2, n1 <= n2 within stock, tolerance and
// fit; the best of each set of four tooth counts; all of them sorted.
EveryTrainResult BruteForce(double target, const std::vector<std::uint32_t>& teeth,
                            const std::map<std::uint32_t, std::uint16_t>& mult,
                            const EveryTrainOptions& options) {
    EveryTrainResult result{teeth.empty() ? SearchOutcome::NoStock : SearchOutcome::Searched, 0, 0, {}};
    std::map<Gears, SolutionRecord> best;
    for (std::uint32_t d1 : teeth) {
        for (std::uint32_t d2 : teeth) {
            for (std::uint32_t n1 : teeth) {
                for (std::uint32_t n2 : teeth) {
                    Gears gears = {d1, d2, n1, n2};
                    const bool withinStock = std::all_of(gears.begin(), gears.end(), [&](std::uint32_t t) {
                        return std::count(gears.begin(), gears.end(), t) <= mult.at(t);
                    });
                    const double ratio = static_cast<double>(d1 * d2) / static_cast<double>(n1 * n2);
                    const SolutionRecord train{std::fabs(ratio - target), d1, d2, n1, n2};
                    if (d1 > d2 || n1 > n2 || !withinStock || !(train.error < options.tolerance) ||
                        (options.fitMargin && !FitArrangement(train, *options.fitMargin))) {
                        continue;
                    }
                    ++result.candidateCount;
                    std::sort(gears.begin(), gears.end());
                    auto [at, fresh] = best.try_emplace(gears, train);
                    if (!fresh && std::tie(train.error, d1, d2, n1, n2) <
                                      std::tie(at->second.error, at->second.driver1, at->second.driver2,
                                               at->second.driven1, at->second.driven2)) {
                        at->second = train;
                    }
                }
            }
        }
    }
    for (const auto& [gears, train] : best) {
        result.solutions.push_back(train);
    }
    result.trainCount = result.solutions.size();
    std::sort(result.solutions.begin(), result.solutions.end(),
              [](const SolutionRecord& x, const SolutionRecord& y) {
                  return std::tie(x.error, x.driver1, x.driver2, x.driven1, x.driven2) <
                         std::tie(y.error, y.driver1, y.driver2, y.driven1, y.driven2);
              });
    if (options.limit != 0 && result.solutions.size() > options.limit) {
        result.solutions.resize(options.limit);
    }
    return result;
}

bool Same(const SolutionRecord& x, const SolutionRecord& y) {
    return x.error == y.error && x.driver1 == y.driver1 && x.driver2 == y.driver2 && x.driven1 == y.driven1 &&
           x.driven2 == y.driven2;
}

} // namespace

// Small random stocks, some with close tooth counts and repeated gears; targets
// that trains hit exactly, near 1 and at random; absolute and relative
// tolerances; limits; fit margins from none to more than most trains clear.
TEST(EveryTrain, MatchesBruteForceOnRandomStocks) {
    std::mt19937 random(20240609);
    auto uniform = [&](std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
    };
    std::uint64_t trainsSeen = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::uint32_t top = uniform(0, 2) == 0 ? 30 : 165;
        std::vector<std::uint32_t> teeth;
        std::map<std::uint32_t, std::uint16_t> mult;
        for (std::uint32_t count = uniform(1, 12); teeth.size() < count;) {
            const std::uint32_t tooth = uniform(16, top);
            if (!mult.contains(tooth)) {
                teeth.push_back(tooth);
                mult[tooth] = static_cast<std::uint16_t>(uniform(0, 1) == 0 ? 1 : uniform(2, 3));
            }
        }
        std::sort(teeth.begin(), teeth.end());
        auto pick = [&] {
            return static_cast<double>(teeth[uniform(0, static_cast<std::uint32_t>(teeth.size() - 1))]);
        };
        double target = 0;
        switch (uniform(0, 3)) {
        case 0:
            target = pick() * pick() / (pick() * pick());
            break; // often exactly a train's ratio
        case 1:
            target = 1 + (uniform(0, 200) - 100.0) * 1e-4;
            break;
        default:
            target = std::exp(std::uniform_real_distribution<double>(-2.5, 2.5)(random));
            break;
        }
        Tolerance tolerance =
            uniform(0, 1) == 0
                ? Tolerance{std::exp(std::uniform_real_distribution<double>(-11, -2.3)(random)), false}
                : Tolerance{static_cast<double>(uniform(1, 20000)), true};
        EveryTrainOptions options;
        options.tolerance = tolerance.For(target);
        options.limit = std::array<std::size_t, 4>{0, 1, 7, 100}[uniform(0, 3)];
        if (uniform(0, 2) == 0) {
            options.fitMargin = uniform(0, 60);
        }
        const EveryTrainResult expected = BruteForce(target, teeth, mult, options);
        const EveryTrainResult found = FindEveryTrain(
            target, teeth, [&](std::uint32_t t) { return mult.at(t); }, options);
        const std::string context = "round " + std::to_string(round) + " target " + std::to_string(target);
        ASSERT_EQ(found.outcome, expected.outcome) << context;
        ASSERT_EQ(found.candidateCount, expected.candidateCount) << context;
        ASSERT_EQ(found.trainCount, expected.trainCount) << context;
        ASSERT_EQ(found.solutions.size(), expected.solutions.size()) << context;
        for (std::size_t i = 0; i < found.solutions.size(); ++i) {
            ASSERT_TRUE(Same(found.solutions[i], expected.solutions[i])) << context << " train " << i;
        }
        trainsSeen += expected.trainCount;
    }
    EXPECT_GT(trainsSeen, 10000u); // the rounds are not mostly empty
}
