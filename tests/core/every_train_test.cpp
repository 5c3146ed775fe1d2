#include "brute_force_trains.h"
#include "every_train.h"
#include "random_cases.h"
#include "search.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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

// The tables kept for the next search serve searches on two threads at once,
// as the window's and the chart worker's do, each thread ending after its
// searches: every answer is the one a search alone gives.
TEST(KeptTables, SearchesOnTwoThreadsGetTheAnswersOfOneAlone) {
    RandomCases cases(27);
    std::vector<SearchRequest> requests;
    std::vector<SearchResult> alone;
    for (int i = 0; i < 12; ++i) {
        const RandomCase c = cases.Make(14);
        requests.push_back({.target = c.target,
                            .stock = c.stock,
                            .method = SearchMethod::EveryTrain,
                            .limit = 20,
                            .train = i % 2 == 0 ? TrainKind::Compound : TrainKind::Six,
                            .count = false});
        alone.push_back(RunSearch(requests.back()));
    }
    std::atomic<int> wrong{0};
    const auto searchAll = [&](std::size_t first) {
        for (int round = 0; round < 20; ++round) {
            for (std::size_t k = 0; k < requests.size(); ++k) {
                const std::size_t i = (first + k) % requests.size();
                wrong += !SameSearchResult(RunSearch(requests[i]), alone[i]);
            }
        }
    };
    std::thread other(searchAll, requests.size() / 2);
    searchAll(0);
    other.join();
    EXPECT_EQ(wrong, 0);
}
