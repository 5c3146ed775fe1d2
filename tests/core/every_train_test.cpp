#include "brute_force_trains.h"
#include "every_train.h"
#include "random_cases.h"

#include <gtest/gtest.h>

TEST(EveryTrain, MatchesBruteForceOnRandomStocks) {
    RandomCases cases(20240609);
    std::uint64_t trainsSeen = 0;
    for (int round = 0; round < 1500; ++round) {
        RandomCase c = cases.Make(12);
        c.options.count = round % 3 != 0;
        // The second target searches the table kept from the first.
        for (const double target : {c.target, 1 / c.target}) {
            const SearchResult expected = brute_force::FindEveryTrain(target, c.stock, c.options);
            const SearchResult found = FindEveryTrain(target, c.stock, c.options);
            ASSERT_TRUE(SameSearchResult(found, expected))
                << "round " << round << " target " << target << ": " << found.trainCount << " trains, "
                << expected.trainCount << " expected";
            trainsSeen += expected.solutions.size();
        }
    }
    EXPECT_GT(trainsSeen, 3000u); // the rounds are not mostly empty
}
