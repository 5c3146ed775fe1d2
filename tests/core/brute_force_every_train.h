// The every-train search written out as four nested loops over the stock, for
// the tests and the fuzz harness: FindEveryTrain must give exactly its results.
#pragma once

#include "every_train.h"
#include "fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace brute_force {

// Every train: all d1 <= d2, n1 <= n2 within stock, tolerance and fit; the best
// of each set of four tooth counts; all of them sorted.
inline SearchResult FindEveryTrain(double target, const Stock& stock, const EveryTrainOptions& options) {
    std::vector<std::uint32_t> teeth = stock.Teeth();
    std::erase(teeth, 0u);
    using Gears = std::array<std::uint32_t, 4>;
    SearchResult result{teeth.empty() ? SearchOutcome::NoStock : SearchOutcome::Searched, 0, {}};
    std::map<Gears, SolutionRecord> best;
    for (std::uint32_t d1 : teeth) {
        for (std::uint32_t d2 : teeth) {
            for (std::uint32_t n1 : teeth) {
                for (std::uint32_t n2 : teeth) {
                    Gears gears = {d1, d2, n1, n2};
                    const bool withinStock = std::all_of(gears.begin(), gears.end(), [&](std::uint32_t t) {
                        return std::count(gears.begin(), gears.end(), t) <= stock.count[t];
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

} // namespace brute_force

// The same outcome, counts and trains, in the same order.
inline bool SameSearchResult(const SearchResult& x, const SearchResult& y) {
    return x.outcome == y.outcome && x.candidateCount == y.candidateCount && x.trainCount == y.trainCount &&
           std::equal(x.solutions.begin(), x.solutions.end(), y.solutions.begin(), y.solutions.end(),
                      [](const SolutionRecord& a, const SolutionRecord& b) {
                          return a.error == b.error && a.driver1 == b.driver1 && a.driver2 == b.driver2 &&
                                 a.driven1 == b.driven1 && a.driven2 == b.driven2;
                      });
}
