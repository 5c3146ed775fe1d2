// The complete searches written out as nested loops over the stock, for the
// tests and the fuzz harnesses: FindEveryTrain, FindSimpleTrains and
// FindSixGearTrains must give exactly their results.
#pragma once

#include "every_train.h"
#include "mount.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace brute_force {

// Whether the gears keep to the stock.
template <std::size_t N> bool WithinStock(const std::array<std::uint32_t, N>& gears, const Stock& stock) {
    return std::all_of(gears.begin(), gears.end(), [&](std::uint32_t t) {
        return std::count(gears.begin(), gears.end(), t) <= stock.count[t];
    });
}

// The best train of each set of gears (the key), all of them in order, the
// first `limit` listed.
template <class Key>
SearchResult Collect(const std::map<Key, SolutionRecord>& best, std::uint64_t candidates, bool noStock,
                     std::size_t limit) {
    SearchResult result{noStock ? SearchOutcome::NoStock : SearchOutcome::Searched, candidates, {}};
    for (const auto& [gears, train] : best) {
        result.solutions.push_back(train);
    }
    result.trainCount = result.solutions.size();
    std::sort(result.solutions.begin(), result.solutions.end(), TrainBefore);
    if (limit != 0 && result.solutions.size() > limit) {
        result.solutions.resize(limit);
    }
    return result;
}

template <class Key>
void KeepBest(std::map<Key, SolutionRecord>& best, Key gears, const SolutionRecord& train) {
    std::sort(gears.begin(), gears.end());
    auto [at, fresh] = best.try_emplace(gears, train);
    if (!fresh && TrainBefore(train, at->second)) {
        at->second = train;
    }
}

inline std::vector<std::uint32_t> TeethOf(const Stock& stock) {
    std::vector<std::uint32_t> teeth = stock.Teeth();
    std::erase(teeth, 0u);
    return teeth;
}

// Every train: all d1 <= d2, n1 <= n2 within stock, tolerance and fit; the best
// of each set of four tooth counts; all of them sorted.
inline SearchResult FindEveryTrain(double target, const Stock& stock, const EveryTrainOptions& options) {
    const std::vector<std::uint32_t> teeth = TeethOf(stock);
    const std::optional<MountRule> fit = FitRule(options.fitMargin, options.banjo);
    std::map<std::array<std::uint32_t, 4>, SolutionRecord> best;
    std::uint64_t candidates = 0;
    for (std::uint32_t d1 : teeth) {
        for (std::uint32_t d2 : teeth) {
            for (std::uint32_t n1 : teeth) {
                for (std::uint32_t n2 : teeth) {
                    const std::array<std::uint32_t, 4> gears = {d1, d2, n1, n2};
                    const double ratio = static_cast<double>(d1 * d2) / static_cast<double>(n1 * n2);
                    const SolutionRecord train{std::fabs(ratio - target), d1, d2, n1, n2};
                    if (d1 > d2 || n1 > n2 || !WithinStock(gears, stock) ||
                        !(train.error < options.tolerance) ||
                        (fit && !MountArrangement(d1, d2, n1, n2, *fit))) {
                        continue;
                    }
                    ++candidates;
                    KeepBest(best, gears, train);
                }
            }
        }
    }
    SearchResult result = Collect(best, candidates, teeth.empty(), options.limit);
    if (!options.count) {
        result.candidateCount = 0;
        result.trainCount = 0;
    }
    return result;
}

// Every simple train: A and D within stock and tolerance, the smallest idler
// that mounts (by the banjo when there is one), else without the fit the
// smallest idler there is; the better of A / D and D / A.
inline SearchResult FindSimpleTrains(double target, const Stock& stock, const EveryTrainOptions& options) {
    const std::vector<std::uint32_t> teeth = TeethOf(stock);
    const std::optional<MountRule> fit = FitRule(options.fitMargin, options.banjo);
    std::map<std::array<std::uint32_t, 2>, SolutionRecord> best;
    std::uint64_t candidates = 0;
    for (std::uint32_t a : teeth) {
        for (std::uint32_t d : teeth) {
            const double error = std::fabs(static_cast<double>(a) / static_cast<double>(d) - target);
            if (!WithinStock(std::array{a, d}, stock) || !(error < options.tolerance)) {
                continue;
            }
            std::uint32_t mounting = 0;
            std::uint32_t any = 0;
            for (auto at = teeth.rbegin(); at != teeth.rend(); ++at) {
                if (WithinStock(std::array{a, *at, d}, stock)) {
                    any = *at;
                    if (!options.banjo || MountsSimple(*options.banjo, a, *at, d)) {
                        mounting = *at;
                    }
                }
            }
            const std::uint32_t idler = mounting != 0 ? mounting : (fit ? 0 : any);
            if (idler == 0) {
                continue;
            }
            ++candidates;
            KeepBest(best, std::array{a, d}, SolutionRecord{error, a, 0, d, 0, 2, 0, 0, idler});
        }
    }
    return Collect(best, candidates, teeth.empty(), options.limit);
}

// Every six-gear train: all d1 <= d2 <= d3, n1 <= n2 <= n3 within stock,
// tolerance and fit; the best of each set of six tooth counts.
inline SearchResult FindSixGearTrains(double target, const Stock& stock, const EveryTrainOptions& options) {
    const std::vector<std::uint32_t> teeth = TeethOf(stock);
    const std::optional<MountRule> fit = FitRule(options.fitMargin, options.banjo);
    std::map<std::array<std::uint32_t, 6>, SolutionRecord> best;
    std::uint64_t candidates = 0;
    const auto triples = [&] {
        std::vector<std::array<std::uint32_t, 3>> all;
        for (std::uint32_t a : teeth) {
            for (std::uint32_t b : teeth) {
                for (std::uint32_t c : teeth) {
                    if (a <= b && b <= c) {
                        all.push_back({a, b, c});
                    }
                }
            }
        }
        return all;
    }();
    for (const auto& d : triples) {
        for (const auto& n : triples) {
            const std::array<std::uint32_t, 6> gears = {d[0], d[1], d[2], n[0], n[1], n[2]};
            const double ratio =
                static_cast<double>(d[0] * d[1] * d[2]) / static_cast<double>(n[0] * n[1] * n[2]);
            const SolutionRecord train{std::fabs(ratio - target), d[0], d[1], n[0], n[1], 6, d[2], n[2], 0};
            if (!WithinStock(gears, stock) || !(train.error < options.tolerance) ||
                (fit && !MountArrangement(d, n, *fit))) {
                continue;
            }
            ++candidates;
            KeepBest(best, gears, train);
        }
    }
    SearchResult result = Collect(best, candidates, teeth.empty(), options.limit);
    if (!options.count) {
        result.candidateCount = 0;
        result.trainCount = 0;
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
                                 a.driven1 == b.driven1 && a.driven2 == b.driven2 && a.gears == b.gears &&
                                 a.driver3 == b.driver3 && a.driven3 == b.driven3 && a.idler == b.idler;
                      });
}
