#include "calc/gear_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kTolerance = 0.002;   // a train is kept when its error is below this
constexpr std::size_t kFirstCut = 251; // records kept by the ordering, before the filters
constexpr std::size_t kMaxSolutions = 100;
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

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

// Every (driver, driven) pair of checked tooth counts, stably sorted by
// quotient: pairs of equal quotient keep the building order (driver ascending,
// then driven ascending).
//
// Two different quotients of tooth counts below 1024 differ by more than 2^-20
// of their size, so the upper 32 bits of their doubles (sign, exponent and 20
// bits of mantissa) already order them. A least-significant-digit radix sort on
// those bits is stable and needs two passes for the whole stock.
std::vector<GearPair> BuildPairTable(std::span<const std::uint32_t> teeth) {
    constexpr unsigned kDigitBits = 12;
    constexpr std::uint32_t kBuckets = 1u << kDigitBits;
    const std::size_t n = teeth.size();
    const std::size_t count = n * n;

    // Key in the upper half, the driver and driven positions in the lower.
    std::vector<std::uint64_t> keyed(count);
    std::uint32_t lowest = kNone;
    std::uint32_t highest = 0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const double q = static_cast<double>(teeth[i]) / static_cast<double>(teeth[j]);
            const auto key = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(q) >> 32);
            lowest = std::min(lowest, key);
            highest = std::max(highest, key);
            keyed[i * n + j] = (std::uint64_t{key} << 32) | (i << 16) | j;
        }
    }

    std::vector<std::uint64_t> scratch(count);
    std::vector<std::uint32_t> start(kBuckets);
    for (unsigned shift = 0; shift < 32 && ((highest - lowest) >> shift) != 0; shift += kDigitBits) {
        std::fill(start.begin(), start.end(), 0);
        const auto digit = [&](std::uint64_t k) {
            return ((static_cast<std::uint32_t>(k >> 32) - lowest) >> shift) & (kBuckets - 1);
        };
        for (std::uint64_t k : keyed) {
            ++start[digit(k)];
        }
        std::uint32_t sum = 0;
        for (std::uint32_t& s : start) {
            sum += std::exchange(s, sum);
        }
        for (std::uint64_t k : keyed) {
            scratch[start[digit(k)]++] = k;
        }
        keyed.swap(scratch);
    }

    std::vector<GearPair> table(count);
    for (std::size_t r = 0; r < count; ++r) {
        const std::uint32_t driver = teeth[(keyed[r] >> 16) & 0xFFFF];
        const std::uint32_t driven = teeth[keyed[r] & 0xFFFF];
        table[r] = {static_cast<double>(driver) / static_cast<double>(driven), driver, driven};
    }
    return table;
}

// The completion of a pair bisects the table from the same start for every
// pair: lo = 0, hi = N - 1, mid = (N - 1) / 2; it moves hi down to mid when the
// product exceeds the target, lo up when it falls short, and stops at an exact
// hit. After every step it tries the entries of a window narrower than 3.
// Which windows it tries depends only on where the products cross the target,
// so the path need not be walked for every pair.

// For every last window (lo, lo + 1): the lower end of the window of width 2
// tried just before it, or kNone when that window was wider or never tried.
void MarkLastWindows(std::uint32_t lo, std::uint32_t hi, bool tried,
                     std::vector<std::uint32_t>& widerWindow) {
    const std::uint32_t mid = (lo + hi) / 2;
    const std::uint32_t halves[2][2] = {{lo, mid}, {mid, hi}};
    for (const auto& half : halves) {
        if (half[1] - half[0] == 1) {
            widerWindow[half[0]] = hi - lo == 2 && tried ? lo : kNone;
        } else {
            MarkLastWindows(half[0], half[1], true, widerWindow);
        }
    }
}

// The table entries tried for one pair: `count` entries from `first`.
struct Partners {
    std::uint32_t first;
    std::uint32_t count;
};

// The bisection's path when the products of the entries from `reach` up to
// (not including) `exceed` equal the target exactly: it stops at the first
// such entry it meets as mid, or runs down to its last window.
Partners WalkToExactHit(std::uint32_t size, std::uint32_t reach, std::uint32_t exceed) {
    std::uint32_t lo = 0;
    std::uint32_t hi = size - 1;
    std::uint32_t mid = hi / 2;
    Partners tried{kNone, 0};
    while (hi > lo + 1) {
        if (mid >= exceed) {
            hi = mid;
        } else if (mid < reach) {
            lo = mid;
        } else {
            return tried.count == 3 ? tried : Partners{mid, 1};
        }
        mid = (lo + hi) / 2;
        if (hi - lo < 3 && tried.count == 0) {
            tried = {lo, hi - lo + 1}; // later windows lie inside this one
        }
    }
    return tried;
}

struct Candidates {
    std::array<double, 3> error;
    std::array<std::uint32_t, 3> partner;
    std::uint32_t count = 0;
};

// The tried partners within tolerance, by error, equal errors by partner.
Candidates Within(const std::vector<GearPair>& table, double qu, Partners tried, double target) {
    Candidates c;
    for (std::uint32_t x = tried.first; x < tried.first + tried.count; ++x) {
        const double e = std::fabs(qu * table[x].quotient - target);
        if (e < kTolerance) {
            std::uint32_t k = c.count++;
            for (; k > 0 && c.error[k - 1] > e; --k) {
                c.error[k] = c.error[k - 1];
                c.partner[k] = c.partner[k - 1];
            }
            c.error[k] = e;
            c.partner[k] = x;
        }
    }
    return c;
}

// A record with its position in the order of finding, which decides between equal errors.
struct Found {
    SolutionRecord record;
    std::uint32_t order;
};

bool Before(const Found& a, const Found& b) {
    return a.record.error < b.record.error || (a.record.error == b.record.error && a.order < b.order);
}

// Keeps the 251 records that come first by error, then by order of finding,
// without holding all of them: once the buffer is full it is cut back to the
// best 251 and only records with a smaller error than the worst of those can
// still get in.
class FirstCut {
  public:
    FirstCut() { kept_.reserve(kCapacity); }

    // Whether a record with this error, found after all the others, may still be among the first.
    bool Admits(double error) const { return error < bound_; }

    void Add(const SolutionRecord& record) {
        kept_.push_back({record, found_++});
        if (kept_.size() == kCapacity) {
            Cut();
            bound_ = kept_.back().record.error;
        }
    }
    void Skip() { ++found_; }

    std::uint32_t FoundCount() const { return found_; }

    std::vector<SolutionRecord> Ordered() {
        Cut();
        std::sort(kept_.begin(), kept_.end(), Before);
        std::vector<SolutionRecord> records(kept_.size());
        std::transform(kept_.begin(), kept_.end(), records.begin(), [](const Found& f) { return f.record; });
        return records;
    }

  private:
    static constexpr std::size_t kCapacity = 4 * kFirstCut;

    // Leaves the best 251 with the worst of them last.
    void Cut() {
        if (kept_.size() > kFirstCut) {
            std::nth_element(kept_.begin(), kept_.begin() + (kFirstCut - 1), kept_.end(), Before);
            kept_.resize(kFirstCut);
        }
    }

    std::vector<Found> kept_;
    std::uint32_t found_ = 0;
    double bound_ = kTolerance;
};

SolutionRecord MakeRecord(double error, const GearPair& a, const GearPair& b) {
    return {error, std::min(a.driver, b.driver), std::max(a.driver, b.driver), std::min(a.driven, b.driven),
            std::max(a.driven, b.driven)};
}

// Completes every pair in table order and hands each pair's distinct partners,
// by error, to the first cut.
void CompleteEveryPair(const std::vector<GearPair>& table, double target, FirstCut& cut) {
    const auto size = static_cast<std::uint32_t>(table.size());
    if (size < 3) {
        return; // no window to bisect
    }
    std::vector<std::uint32_t> widerWindow(size - 1);
    MarkLastWindows(0, size - 1, false, widerWindow);

    // The quotients grow with u, so the first partner whose product exceeds the
    // target (exceed) and the first whose product reaches it (reach) only move down.
    std::uint32_t exceed = size;
    std::uint32_t lastReach = kNone;
    std::uint32_t lastExceed = kNone;
    Partners exactPath{};
    for (std::uint32_t u = 0; u < size; ++u) {
        const double qu = table[u].quotient;
        while (exceed > 0 && qu * table[exceed - 1].quotient > target) {
            --exceed;
        }
        std::uint32_t reach = exceed;
        while (reach > 0 && qu * table[reach - 1].quotient == target) {
            --reach;
        }
        Partners tried;
        if (std::max(reach, 1u) < std::min(exceed, size - 1)) {
            if (reach != lastReach || exceed != lastExceed) {
                exactPath = WalkToExactHit(size, reach, exceed);
                lastReach = reach;
                lastExceed = exceed;
            }
            tried = exactPath;
        } else {
            // No mid gives an exact hit: the path ends in the window around the crossing.
            const std::uint32_t last = std::min(reach == 0 ? 0 : reach - 1, size - 2);
            tried = widerWindow[last] == kNone ? Partners{last, 2} : Partners{widerWindow[last], 3};
        }
        const Candidates c = Within(table, qu, tried, target);
        for (std::uint32_t k = 0; k < c.count; ++k) {
            if (cut.Admits(c.error[k])) {
                cut.Add(MakeRecord(c.error[k], table[u], table[c.partner[k]]));
            } else {
                cut.Skip();
            }
        }
    }
}

// Some tooth count occurs more often than the gears on hand.
bool BreaksMultiplicity(const SolutionRecord& r, const MultiplicityLookup& multiplicity) {
    const std::array<std::uint32_t, 4> teeth = {r.driver1, r.driver2, r.driven1, r.driven2};
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

// Keeps the first record of every group that uses the same four gears.
void RemoveSameGearRepeats(std::vector<SolutionRecord>& records) {
    struct Keyed {
        std::array<std::uint32_t, 4> key;
        std::size_t position;
        auto operator<=>(const Keyed&) const = default;
    };
    std::vector<Keyed> keyed(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        keyed[i] = {GearKey(records[i]), i};
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<bool> repeat(records.size());
    for (std::size_t i = 1; i < keyed.size(); ++i) {
        repeat[keyed[i].position] = keyed[i].key == keyed[i - 1].key;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!repeat[i]) {
            records[kept++] = records[i];
        }
    }
    records.resize(kept);
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
    FirstCut cut;
    CompleteEveryPair(BuildPairTable(checkedTeeth), target, cut);
    std::vector<SolutionRecord> records = cut.Ordered();
    std::erase_if(records, [&](const SolutionRecord& r) { return BreaksMultiplicity(r, multiplicity); });
    RemoveSameGearRepeats(records);
    if (records.size() > kMaxSolutions) {
        records.resize(kMaxSolutions);
    }
    return {SearchOutcome::Searched, cut.FoundCount(), std::move(records)};
}
