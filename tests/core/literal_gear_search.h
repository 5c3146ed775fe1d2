// The gear-train search written out step by step with the standard sorts, as
// slow and plain as possible, for the tests and the fuzz harness: the
// optimised search must give exactly its results, bit for bit.
#pragma once

#include "gear_search.h"
#include "stock.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace literal {

inline SearchResult Find(double target, const Stock& stock) {
    const std::vector<std::uint32_t> teeth = stock.Teeth();
    SearchResult result{SearchOutcome::NoStock, 0, {}};
    if (teeth.empty()) {
        return result;
    }
    const double gMin2 = std::pow(static_cast<double>(teeth.front()), 2);
    const double gMax2 = std::pow(static_cast<double>(teeth.back()), 2);
    // Written as "not within", so that a target that is not a number is out of range too.
    if (!(gMin2 / gMax2 <= target + 0.001 && target - 1 <= gMax2 / gMin2)) {
        result.outcome = SearchOutcome::OutOfRange;
        return result;
    }
    result.outcome = SearchOutcome::Searched;

    std::vector<GearPair> table;
    for (std::uint32_t a : teeth) {
        for (std::uint32_t b : teeth) {
            table.push_back({static_cast<double>(a) / static_cast<double>(b), a, b});
        }
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const GearPair& x, const GearPair& y) { return x.quotient < y.quotient; });

    std::vector<SolutionRecord> raw;
    const auto n = static_cast<std::uint32_t>(table.size());
    const std::uint32_t m0 = (n - 1) / 2;
    for (std::uint32_t u = 0; u < n; ++u) {
        std::vector<Candidate> candidates;
        const double qu = table[u].quotient;
        std::uint32_t lo = 0;
        std::uint32_t hi = n - 1;
        std::uint32_t mid = m0;
        double p = qu * table[mid].quotient;
        while (hi > lo + 1) {
            if (p > target) {
                hi = mid;
                mid = (lo + hi) / 2;
            } else if (p < target) {
                lo = mid;
                mid = (lo + hi) / 2;
            } else {
                candidates.push_back({0.0, u, mid});
                break;
            }
            p = qu * table[mid].quotient;
            if (hi - lo < 3) {
                for (std::uint32_t x : {lo, mid, hi}) {
                    const double e = std::fabs(table[x].quotient * qu - target);
                    if (e < 0.002) {
                        candidates.push_back({e, u, x});
                    }
                }
            }
        }
        std::sort(candidates.begin(), candidates.end(),
                  [](const Candidate& x, const Candidate& y) { return x.partnerIndex < y.partnerIndex; });
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& x, const Candidate& y) { return x.error < y.error; });
        std::vector<Candidate> kept;
        for (const Candidate& c : candidates) {
            if (kept.empty() || kept.back().pairIndex != c.pairIndex ||
                kept.back().partnerIndex != c.partnerIndex) {
                kept.push_back(c);
            }
        }
        for (const Candidate& c : kept) {
            const GearPair& a = table[c.pairIndex];
            const GearPair& b = table[c.partnerIndex];
            raw.push_back({std::fabs(a.quotient * b.quotient - target), std::min(a.driver, b.driver),
                           std::max(a.driver, b.driver), std::min(a.driven, b.driven),
                           std::max(a.driven, b.driven)});
        }
    }
    if (raw.empty()) {
        return result;
    }
    result.candidateCount = static_cast<unsigned>(raw.size());

    std::stable_sort(raw.begin(), raw.end(),
                     [](const SolutionRecord& x, const SolutionRecord& y) { return x.error < y.error; });
    if (raw.size() > 251) {
        raw.resize(251);
    }
    // Equal errors in the complete searches' order; the same records in the order found.
    std::stable_sort(raw.begin(), raw.end(), TrainBefore);

    std::vector<SolutionRecord> list;
    for (const SolutionRecord& r : raw) {
        const std::uint32_t t[4] = {r.driver1, r.driver2, r.driven1, r.driven2};
        bool allowed = true;
        for (std::uint32_t x : t) {
            if (stock.count[x] < std::count(t, t + 4, x)) {
                allowed = false;
            }
        }
        if (allowed) {
            list.push_back(r);
        }
    }

    if (list.size() > 1) {
        const auto key = [](const SolutionRecord& r) {
            return std::array<std::uint32_t, 4>{
                std::min(r.driver1, r.driven1),
                std::max(std::max(r.driver1, r.driven1), std::min(r.driver2, r.driven2)),
                std::min(std::max(r.driver1, r.driven1), std::min(r.driver2, r.driven2)),
                std::max(r.driver2, r.driven2)};
        };
        for (std::size_t q = 0; q < list.size(); ++q) {
            if (list[q].error < 100) {
                for (std::size_t o = 0; o < list.size(); ++o) {
                    if (o != q && key(list[o]) == key(list[q])) {
                        list[o].error = 1000;
                    }
                }
            }
        }
        std::vector<SolutionRecord> left{list.front()};
        for (std::size_t i = 1; i < list.size(); ++i) {
            if (list[i].error < 0.002) {
                left.push_back(list[i]);
            }
        }
        list = left;
    }
    if (list.size() > 100) {
        list.resize(100);
    }
    result.solutions = list;
    return result;
}

} // namespace literal

// The same train with the same error, bit for bit.
inline bool SameRecord(const SolutionRecord& a, const SolutionRecord& b) {
    return std::bit_cast<std::uint64_t>(a.error) == std::bit_cast<std::uint64_t>(b.error) &&
           a.driver1 == b.driver1 && a.driver2 == b.driver2 && a.driven1 == b.driven1 &&
           a.driven2 == b.driven2;
}
