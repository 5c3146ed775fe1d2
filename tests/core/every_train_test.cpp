#include "brute_force_every_train.h"
#include "every_train.h"
#include "search.h"
#include "test_stock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <vector>

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
        const Stock stock = StockOf(teeth, mult);
        const SearchResult expected = brute_force::FindEveryTrain(target, stock, options);
        const SearchResult found = FindEveryTrain(target, stock, options);
        ASSERT_TRUE(SameSearchResult(found, expected))
            << "round " << round << " target " << target << ": " << found.trainCount << " trains, "
            << expected.trainCount << " expected";
        trainsSeen += expected.trainCount;
    }
    EXPECT_GT(trainsSeen, 10000u); // the rounds are not mostly empty
}
