#include "gear_search.h"
#include "literal_gear_search.h"
#include "test_stock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::uint32_t> Range(std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint32_t> teeth;
    for (std::uint32_t t = first; t <= last; ++t) {
        teeth.push_back(t);
    }
    return teeth;
}

SearchResult Find(double target, const Stock& stock) {
    return FindGearTrains(target, stock);
}

std::string Describe(const SolutionRecord& r) {
    return std::to_string(r.driver1) + "," + std::to_string(r.driver2) + "/" + std::to_string(r.driven1) +
           "," + std::to_string(r.driven2) + " e=" + std::to_string(r.error);
}

// Outcome, candidate count and every record bit for bit.
::testing::AssertionResult SameResult(const SearchResult& expected, const SearchResult& actual) {
    if (expected.outcome != actual.outcome) {
        return ::testing::AssertionFailure() << "outcome " << static_cast<int>(actual.outcome)
                                             << ", expected " << static_cast<int>(expected.outcome);
    }
    if (expected.candidateCount != actual.candidateCount) {
        return ::testing::AssertionFailure()
               << "candidateCount " << actual.candidateCount << ", expected " << expected.candidateCount;
    }
    if (expected.solutions.size() != actual.solutions.size()) {
        return ::testing::AssertionFailure()
               << actual.solutions.size() << " solutions, expected " << expected.solutions.size();
    }
    for (std::size_t i = 0; i < expected.solutions.size(); ++i) {
        if (!SameRecord(expected.solutions[i], actual.solutions[i])) {
            return ::testing::AssertionFailure()
                   << "solution " << i << " is " << Describe(actual.solutions[i]) << ", expected "
                   << Describe(expected.solutions[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

struct Train {
    std::uint32_t driver1, driver2, driven1, driven2;
};

::testing::AssertionResult HasTrains(const SearchResult& result, std::vector<Train> trains, double error) {
    if (result.outcome != SearchOutcome::Searched) {
        return ::testing::AssertionFailure() << "not searched";
    }
    if (result.solutions.size() != trains.size()) {
        return ::testing::AssertionFailure() << result.solutions.size() << " solutions";
    }
    for (std::size_t i = 0; i < trains.size(); ++i) {
        const SolutionRecord& r = result.solutions[i];
        const Train& t = trains[i];
        if (r.driver1 != t.driver1 || r.driver2 != t.driver2 || r.driven1 != t.driven1 ||
            r.driven2 != t.driven2 || r.error != error) {
            return ::testing::AssertionFailure() << "solution " << i << " is " << Describe(r);
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(FindGearTrains, EmptyStockIsNoStockWhateverTheTarget) {
    for (double target : {0.0, 1.0, 1e9, std::numeric_limits<double>::quiet_NaN()}) {
        const SearchResult r = Find(target, StockOf({}, 1));
        EXPECT_EQ(r.outcome, SearchOutcome::NoStock);
        EXPECT_EQ(r.candidateCount, 0u);
        EXPECT_TRUE(r.solutions.empty());
    }
}

TEST(FindGearTrains, OneToothCountFindsNothingOrIsOutOfRange) {
    const SearchResult one = Find(1, StockOf({20}, 3));
    EXPECT_EQ(one.outcome, SearchOutcome::Searched);
    EXPECT_EQ(one.candidateCount, 0u);
    EXPECT_TRUE(one.solutions.empty());
    EXPECT_EQ(Find(3, StockOf({20}, 3)).outcome, SearchOutcome::OutOfRange);
}

TEST(FindGearTrains, TargetZeroIsAlwaysOutOfRange) {
    for (const auto& teeth :
         {Range(16, 165), std::vector<std::uint32_t>{20, 40}, std::vector<std::uint32_t>{16}}) {
        const SearchResult r = Find(0, StockOf(teeth, 3));
        EXPECT_EQ(r.outcome, SearchOutcome::OutOfRange);
        EXPECT_TRUE(r.solutions.empty());
    }
}

// A target that is not a number matches no train; it must not reach the ordering.
TEST(FindGearTrains, TargetNotANumberIsOutOfRange) {
    const SearchResult r = Find(std::numeric_limits<double>::quiet_NaN(), StockOf(Range(16, 165), 3));
    EXPECT_EQ(r.outcome, SearchOutcome::OutOfRange);
    EXPECT_EQ(r.candidateCount, 0u);
    EXPECT_TRUE(r.solutions.empty());
}

// Callers pass tooth counts 16..165; a stray 0 gives infinite quotients and
// must not make the search reach outside its tables.
TEST(FindGearTrains, ToothCountZeroDoesNotBreakTheSearch) {
    const SearchResult r = Find(1, StockOf({0, 20, 40}, 3));
    EXPECT_EQ(r.outcome, SearchOutcome::Searched);
    for (const SolutionRecord& s : r.solutions) {
        EXPECT_LT(s.error, 0.002) << Describe(s);
    }
}

TEST(FindGearTrains, StockOf20And40) {
    const std::vector<std::uint32_t> stock{20, 40};
    struct Case {
        std::uint16_t multiplicity;
        double target;
        SearchOutcome outcome;
        bool candidates;
        std::vector<Train> trains;
        double error;
    } cases[] = {
        {2, 0.25, SearchOutcome::Searched, true, {{20, 20, 40, 40}}, 0},
        {2, 0.2492, SearchOutcome::Searched, true, {{20, 20, 40, 40}}, std::fabs(0.25 - 0.2492)},
        {2, 0.2485, SearchOutcome::OutOfRange, false, {}, 0},
        {2, 4, SearchOutcome::Searched, true, {{40, 40, 20, 20}}, 0},
        {2, 4.9, SearchOutcome::Searched, false, {}, 0},
        {2, 5.01, SearchOutcome::OutOfRange, false, {}, 0},
        {1, 1, SearchOutcome::Searched, true, {}, 0},
        {2, 1, SearchOutcome::Searched, true, {{20, 40, 20, 40}}, 0},
        {2, 2, SearchOutcome::Searched, true, {}, 0},
        {3, 2, SearchOutcome::Searched, true, {{20, 40, 20, 20}, {40, 40, 20, 40}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("multiplicity " + std::to_string(c.multiplicity) + ", target " +
                     std::to_string(c.target));
        const SearchResult r = Find(c.target, StockOf(stock, c.multiplicity));
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.candidateCount > 0, c.candidates);
        if (c.outcome == SearchOutcome::Searched) {
            EXPECT_TRUE(HasTrains(r, c.trains, c.error));
        } else {
            EXPECT_TRUE(r.solutions.empty());
        }
    }
}

TEST(FindGearTrains, TheSameFourGearsAreListedOnce) {
    const SearchResult r = Find(1, StockOf({20, 30, 40, 60}, 1));
    ASSERT_EQ(r.solutions.size(), 1u);
    const SolutionRecord& s = r.solutions[0];
    const bool first = s.driver1 == 30 && s.driver2 == 40 && s.driven1 == 20 && s.driven2 == 60;
    const bool second = s.driver1 == 20 && s.driver2 == 60 && s.driven1 == 30 && s.driven2 == 40;
    EXPECT_TRUE(first || second) << Describe(s);
    EXPECT_EQ(s.error, 0.0);
}

// Many exact trains: the first cut keeps 251 records of error 0, and the
// repeats among them leave fewer than 100 distinct trains.
TEST(FindGearTrains, FullStockWithManyExactTrains) {
    const auto teeth = Range(16, 165);
    const SearchResult r = Find(1.5, StockOf(teeth, 1));
    EXPECT_EQ(r.outcome, SearchOutcome::Searched);
    EXPECT_GT(r.candidateCount, 251u);
    EXPECT_FALSE(r.solutions.empty());
    EXPECT_LE(r.solutions.size(), 100u);
    for (const SolutionRecord& s : r.solutions) {
        EXPECT_EQ(s.error, 0.0) << Describe(s);
    }
    EXPECT_TRUE(SameResult(literal::Find(1.5, StockOf(teeth, 1)), r));
}

// A digest of whole results, the same number in every build: the trains must
// not depend on the platform's floating point or sorting.
TEST(FindGearTrains, GivesTheSameTrainsInEveryBuild) {
    std::uint64_t digest = 14695981039346656037u;
    const auto mix = [&digest](std::uint64_t value) { digest = (digest ^ value) * 1099511628211u; };
    for (const auto& teeth :
         {Range(16, 165), Range(20, 99), std::vector<std::uint32_t>{17, 23, 40, 71, 127, 163}}) {
        for (double target : {0.2492, 0.5, 1.0, 1.5, 2.54, 3.14159, 7.0 / 3.0, 9.87654321}) {
            for (std::uint16_t m : {1, 2}) {
                const SearchResult r = Find(target, StockOf(teeth, m));
                mix(static_cast<std::uint64_t>(r.outcome));
                mix(r.candidateCount);
                for (const SolutionRecord& s : r.solutions) {
                    mix(std::bit_cast<std::uint64_t>(s.error));
                    mix(s.driver1 | std::uint64_t{s.driver2} << 16 | std::uint64_t{s.driven1} << 32 |
                        std::uint64_t{s.driven2} << 48);
                }
            }
        }
    }
    EXPECT_EQ(digest, 10679316127115764675u);
}

// Random inputs from a fixed seed: stocks dense and sparse, multiplicities
// mixed, targets exact, near, outside and between the trains.
struct RandomInput {
    double target;
    std::vector<std::uint32_t> teeth;
    std::array<std::uint16_t, 166> multiplicity;
};

RandomInput MakeInput(std::mt19937& rng) {
    RandomInput in{};
    const double density = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
    const double scale = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 1.0 : 0.35;
    for (std::uint32_t t = 16; t <= 165; ++t) {
        if (std::uniform_real_distribution<double>(0.0, 1.0)(rng) < density * scale) {
            in.teeth.push_back(t);
        }
    }
    const int multiplicityKind = std::uniform_int_distribution<int>(0, 2)(rng);
    for (std::uint32_t t = 16; t <= 165; ++t) {
        in.multiplicity[t] = multiplicityKind == 0 ? 1
                             : multiplicityKind == 1
                                 ? 3
                                 : static_cast<std::uint16_t>(std::uniform_int_distribution<int>(1, 3)(rng));
    }
    std::uniform_int_distribution<std::uint32_t> tooth(16, 165);
    const auto pick = [&] {
        if (in.teeth.empty()) {
            return tooth(rng);
        }
        return in.teeth[std::uniform_int_distribution<std::size_t>(0, in.teeth.size() - 1)(rng)];
    };
    // The product of two pair quotients, as the bisection computes it.
    const auto quotientProduct = [&] {
        return static_cast<double>(pick()) / static_cast<double>(pick()) *
               (static_cast<double>(pick()) / static_cast<double>(pick()));
    };
    switch (std::uniform_int_distribution<int>(0, 7)(rng)) {
    case 0: // an exact train of the stock
        in.target = static_cast<double>(pick() * pick()) / static_cast<double>(pick() * pick());
        break;
    case 1: // near an exact train
        in.target = static_cast<double>(pick() * pick()) / static_cast<double>(pick() * pick()) +
                    std::uniform_real_distribution<double>(-0.003, 0.003)(rng);
        break;
    case 2: // a short decimal such as a user types
        in.target = std::uniform_int_distribution<int>(1, 1200)(rng) / 100.0;
        break;
    case 3:
        in.target = std::uniform_int_distribution<int>(0, 12)(rng);
        break;
    case 4: // meets the bisection's exact-equality branch
        in.target = quotientProduct();
        break;
    case 5: // a train's error right at the tolerance
        in.target = quotientProduct() + (std::uniform_int_distribution<int>(0, 1)(rng) ? 0.002 : -0.002);
        break;
    default:
        in.target = std::uniform_real_distribution<double>(0.0, 12.0)(rng);
        break;
    }
    return in;
}

TEST(FindGearTrains, RandomInputsKeepTheListsRules) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 1500; ++i) {
        const RandomInput in = MakeInput(rng);
        const SearchResult r = Find(in.target, StockOf(in.teeth, in.multiplicity));
        SCOPED_TRACE("case " + std::to_string(i) + ", target " + std::to_string(in.target));
        if (r.outcome != SearchOutcome::Searched) {
            EXPECT_EQ(r.candidateCount, 0u);
        }
        EXPECT_LE(r.solutions.size(), 100u);
        EXPECT_LE(r.solutions.size(), r.candidateCount);
        for (std::size_t k = 0; k < r.solutions.size(); ++k) {
            const SolutionRecord& s = r.solutions[k];
            EXPECT_LE(s.driver1, s.driver2);
            EXPECT_LE(s.driven1, s.driven2);
            EXPECT_LT(s.error, 0.002);
            if (k > 0) {
                EXPECT_LE(r.solutions[k - 1].error, s.error);
            }
            const std::uint32_t t[4] = {s.driver1, s.driver2, s.driven1, s.driven2};
            for (std::uint32_t x : t) {
                EXPECT_TRUE(std::binary_search(in.teeth.begin(), in.teeth.end(), x)) << Describe(s);
                EXPECT_LE(std::count(t, t + 4, x), in.multiplicity[x]) << Describe(s);
            }
            const auto q = [](std::uint32_t a, std::uint32_t b) { return static_cast<double>(a) / b; };
            const double straight = std::fabs(q(s.driver1, s.driven1) * q(s.driver2, s.driven2) - in.target);
            const double crossed = std::fabs(q(s.driver1, s.driven2) * q(s.driver2, s.driven1) - in.target);
            EXPECT_TRUE(s.error == straight || s.error == crossed) << Describe(s);
            for (std::size_t j = 0; j < k; ++j) {
                std::uint32_t a[4] = {s.driver1, s.driver2, s.driven1, s.driven2};
                const SolutionRecord& o = r.solutions[j];
                std::uint32_t b[4] = {o.driver1, o.driver2, o.driven1, o.driven2};
                std::sort(a, a + 4);
                std::sort(b, b + 4);
                EXPECT_FALSE(std::equal(a, a + 4, b)) << Describe(s) << " repeats " << Describe(o);
            }
        }
    }
}

TEST(FindGearTrains, RandomInputsMatchTheLiteralSearch) {
    std::mt19937 rng(7411);
    for (int i = 0; i < 2000; ++i) {
        const RandomInput in = MakeInput(rng);
        const Stock stock = StockOf(in.teeth, in.multiplicity);
        ASSERT_TRUE(SameResult(literal::Find(in.target, stock), Find(in.target, stock)))
            << "case " << i << ", target " << in.target << ", " << in.teeth.size() << " tooth counts";
    }
}

// Full stock at targets with many exact trains and at the edges of the range.
TEST(FindGearTrains, FullStockMatchesTheLiteralSearch) {
    const auto teeth = Range(16, 165);
    for (double target : {0.0095, 0.1, 0.25, 0.5, 1.0, 1.5, 2.0, 2.54, 3.14159, 4.0, 10.6, 106.0, 107.5}) {
        for (std::uint16_t m : {1, 2, 3}) {
            EXPECT_TRUE(SameResult(literal::Find(target, StockOf(teeth, m)), Find(target, StockOf(teeth, m))))
                << "target " << target << ", multiplicity " << m;
        }
    }
}

} // namespace
