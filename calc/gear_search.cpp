#include "calc/gear_search.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kTolerance = 0.002;   // a train is kept when its error is below this
constexpr std::size_t kFirstCut = 251; // records kept by the ordering, before the filters
constexpr std::size_t kMaxSolutions = 100;
constexpr double kMarkLimit = 100;      // records below this error mark their duplicates
constexpr double kDuplicateMark = 1000; // error given to a marked duplicate

// The target lies outside what the stock can reach: 0.001 of slack below the
// smallest ratio, a whole 1 above the largest.
bool OutOfRange(double target, std::uint32_t smallest, std::uint32_t largest) {
    const double smallSquare = std::pow(static_cast<double>(smallest), 2);
    const double largeSquare = std::pow(static_cast<double>(largest), 2);
    if (smallSquare / largeSquare > target + 0.001) {
        return true;
    }
    if (target - 1 > largeSquare / smallSquare) {
        return true;
    }
    // A target that is not a number compares false with everything; no train can match it.
    return std::isnan(target);
}

// Every (driver, driven) pair of checked tooth counts, stably sorted by quotient.
std::vector<GearPair> BuildPairTable(std::span<const std::uint32_t> teeth) {
    std::vector<GearPair> table;
    table.reserve(teeth.size() * teeth.size());
    for (std::uint32_t driver : teeth) {
        for (std::uint32_t driven : teeth) {
            table.push_back({static_cast<double>(driver) / static_cast<double>(driven), driver, driven});
        }
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const GearPair& a, const GearPair& b) { return a.quotient < b.quotient; });
    return table;
}

// The partners that the bisection meets for pair u: it starts at the same
// middle for every pair, stops at an exact hit and tries the one to three
// entries of every window narrower than 3.
void CollectCandidates(const std::vector<GearPair>& table, std::uint32_t u, double target,
                       std::vector<Candidate>& candidates) {
    const auto last = static_cast<std::uint32_t>(table.size() - 1);
    const double qu = table[u].quotient;
    std::uint32_t lo = 0;
    std::uint32_t hi = last;
    std::uint32_t mid = last / 2;
    double p = qu * table[mid].quotient;
    while (hi > lo + 1) {
        if (p > target) {
            hi = mid;
        } else if (p < target) {
            lo = mid;
        } else {
            candidates.push_back({0.0, u, mid});
            break;
        }
        mid = (lo + hi) / 2;
        p = qu * table[mid].quotient;
        if (hi - lo < 3) {
            for (std::uint32_t x : {lo, mid, hi}) {
                const double e = std::fabs(table[x].quotient * qu - target);
                if (e < kTolerance) {
                    candidates.push_back({e, u, x});
                }
            }
        }
    }
}

SolutionRecord MakeRecord(const GearPair& a, const GearPair& b, double target) {
    return {std::fabs(a.quotient * b.quotient - target), std::min(a.driver, b.driver),
            std::max(a.driver, b.driver), std::min(a.driven, b.driven), std::max(a.driven, b.driven)};
}

// Every pair completed in table order; each pair's distinct partners by error.
std::vector<SolutionRecord> CompleteEveryPair(const std::vector<GearPair>& table, double target) {
    std::vector<SolutionRecord> raw;
    std::vector<Candidate> candidates;
    for (std::uint32_t u = 0; u < table.size(); ++u) {
        candidates.clear();
        CollectCandidates(table, u, target, candidates);
        std::sort(candidates.begin(), candidates.end(),
                  [](const Candidate& a, const Candidate& b) { return a.partnerIndex < b.partnerIndex; });
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.error < b.error; });
        const auto repeat = [](const Candidate& a, const Candidate& b) {
            return a.pairIndex == b.pairIndex && a.partnerIndex == b.partnerIndex;
        };
        candidates.erase(std::unique(candidates.begin(), candidates.end(), repeat), candidates.end());
        for (const Candidate& c : candidates) {
            raw.push_back(MakeRecord(table[c.pairIndex], table[c.partnerIndex], target));
        }
    }
    return raw;
}

// The 251 smallest errors, ascending; equal errors keep the raw order.
void OrderAndCut(std::vector<SolutionRecord>& records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const SolutionRecord& a, const SolutionRecord& b) { return a.error < b.error; });
    if (records.size() > kFirstCut) {
        records.resize(kFirstCut);
    }
}

std::array<std::uint32_t, 4> Teeth(const SolutionRecord& r) {
    return {r.driver1, r.driver2, r.driven1, r.driven2};
}

// Some tooth count occurs more often than the gears on hand.
bool BreaksMultiplicity(const SolutionRecord& r, const MultiplicityLookup& multiplicity) {
    const std::array<std::uint32_t, 4> teeth = Teeth(r);
    for (std::uint32_t t : teeth) {
        if (multiplicity(t) < std::count(teeth.begin(), teeth.end(), t)) {
            return true;
        }
    }
    return false;
}

// The four tooth counts in ascending order: equal keys mean the same gears.
std::array<std::uint32_t, 4> GearKey(const SolutionRecord& r) {
    const std::uint32_t middleA = std::max(r.driver1, r.driven1);
    const std::uint32_t middleB = std::min(r.driver2, r.driven2);
    return {std::min(r.driver1, r.driven1), std::min(middleA, middleB), std::max(middleA, middleB),
            std::max(r.driver2, r.driven2)};
}

// Keeps the first record of every group that uses the same four gears: each
// unmarked record marks the others of its group, then the marked ones go.
void RemoveSameGearRepeats(std::vector<SolutionRecord>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].error >= kMarkLimit) {
            continue;
        }
        const auto key = GearKey(records[i]);
        for (std::size_t j = 0; j < records.size(); ++j) {
            if (j != i && GearKey(records[j]) == key) {
                records[j].error = kDuplicateMark;
            }
        }
    }
    records.erase(std::remove_if(records.begin() + 1, records.end(),
                                 [](const SolutionRecord& r) { return r.error >= kTolerance; }),
                  records.end());
}

} // namespace

SearchResult FindGearTrains(double target, std::span<const std::uint32_t> checkedTeeth,
                            const MultiplicityLookup& multiplicity) {
    if (checkedTeeth.empty()) {
        return {SearchOutcome::NoStock, 0, {}};
    }
    if (OutOfRange(target, checkedTeeth.front(), checkedTeeth.back())) {
        return {SearchOutcome::OutOfRange, 0, {}};
    }
    const std::vector<GearPair> table = BuildPairTable(checkedTeeth);
    std::vector<SolutionRecord> records = CompleteEveryPair(table, target);
    const auto candidateCount = static_cast<unsigned>(records.size());
    OrderAndCut(records);
    std::erase_if(records, [&](const SolutionRecord& r) { return BreaksMultiplicity(r, multiplicity); });
    if (records.size() > 1) {
        RemoveSameGearRepeats(records);
    }
    if (records.size() > kMaxSolutions) {
        records.resize(kMaxSolutions);
    }
    return {SearchOutcome::Searched, candidateCount, std::move(records)};
}
