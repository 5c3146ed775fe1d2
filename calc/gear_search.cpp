#include "gear_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>
#include <span>
#include <utility>

namespace {

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
// bits of mantissa) already order them, and they span less than 2^26 values.
// Two passes of a least-significant-digit radix sort on those bits, which is
// stable, sort the table; the second pass writes the table itself.
std::uint32_t UpperBits(double q) {
    return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(q) >> 32);
}

std::vector<GearPair> BuildPairTable(std::span<const std::uint32_t> teeth) {
    constexpr unsigned kDigitBits = 13;
    constexpr std::uint32_t kBuckets = 1u << kDigitBits;
    constexpr std::uint32_t kDigit = kBuckets - 1;
    const auto n = static_cast<std::uint32_t>(teeth.size());
    const std::uint32_t count = n * n;
    const std::vector<double> asDouble(teeth.begin(), teeth.end());

    // Sort keys relative to the smallest quotient's, one driver's row at a time.
    const std::uint32_t lowest = UpperBits(asDouble.front() / asDouble.back());
    std::vector<std::uint32_t> rowKeys(n);
    const auto keyRow = [&](std::uint32_t i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            rowKeys[j] = UpperBits(asDouble[i] / asDouble[j]) - lowest;
        }
    };
    // Beyond that range (a tooth count of 0, say) the order may be wrong, but no
    // bucket is overrun.
    const auto highDigit = [](std::uint32_t key) {
        return key >> kDigitBits < kDigit ? key >> kDigitBits : kDigit;
    };
    std::vector<std::uint32_t> low(kBuckets);
    std::vector<std::uint32_t> high(kBuckets);
    for (std::uint32_t i = 0; i < n; ++i) {
        keyRow(i);
        for (std::uint32_t key : rowKeys) {
            ++low[key & kDigit];
            ++high[highDigit(key)];
        }
    }
    std::exclusive_scan(low.begin(), low.end(), low.begin(), 0u);
    std::exclusive_scan(high.begin(), high.end(), high.begin(), 0u);

    // A pair travels as its driver's and its driven's stock position, 16 bits each.
    std::vector<std::uint32_t> byLowDigit(count);
    for (std::uint32_t i = 0; i < n; ++i) {
        keyRow(i);
        for (std::uint32_t j = 0; j < n; ++j) {
            byLowDigit[low[rowKeys[j] & kDigit]++] = (i << 16) | j;
        }
    }
    std::vector<GearPair> table(count);
    for (std::uint32_t pair : byLowDigit) {
        const std::uint32_t i = pair >> 16;
        const std::uint32_t j = pair & 0xFFFF;
        const double q = asDouble[i] / asDouble[j];
        table[high[highDigit(UpperBits(q) - lowest)]++] = {q, teeth[i], teeth[j]};
    }
    return table;
}

// The completion of a pair bisects the table from the same start for every
// pair: lo = 0, hi = N - 1, mid = (N - 1) / 2; it moves hi down to mid when the
// product exceeds the target, lo up when it falls short, and stops at an exact
// hit. After every step it tries the entries of a window narrower than 3.
// Which windows it tries depends only on where the products cross the target,
// so the path need not be walked for every pair: the windows form a fixed
// binary tree, every index from 1 to N - 2 is the middle of exactly one of
// them, and a window's halves are narrower than the window.

// The width (hi - lo) of the window whose middle is each index, for the indices
// lo + 1 .. lo + width - 1 of a window [lo, lo + width]. Windows of equal width
// have the same shape, so a width met before is copied.
void FillWidths(std::uint32_t lo, std::uint32_t width, std::vector<std::uint32_t>& widthAt,
                std::vector<std::pair<std::uint32_t, std::uint32_t>>& filled) {
    if (width < 2) {
        return;
    }
    for (const auto& [w, at] : filled) {
        if (w == width) {
            std::copy_n(widthAt.begin() + at + 1, width - 1, widthAt.begin() + lo + 1);
            return;
        }
    }
    const std::uint32_t half = width / 2;
    FillWidths(lo, half, widthAt, filled);
    widthAt[lo + half] = width;
    FillWidths(lo + half, width - half, widthAt, filled);
    filled.push_back({width, lo});
}

// Every index's window width; 0 for the two ends, which are no window's middle,
// and the largest value for the first middle, whose window is never tried.
std::vector<std::uint32_t> WindowWidths(std::uint32_t size) {
    std::vector<std::uint32_t> widthAt(size);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> filled;
    FillWidths(0, size - 1, widthAt, filled);
    widthAt[(size - 1) / 2] = kNone;
    return widthAt;
}

// The table entries tried for one pair: `count` entries from `first`.
struct Partners {
    std::uint32_t first;
    std::uint32_t count;
};

// When no middle gives an exact hit, the bisection ends in the window
// (last, last + 1) next to where the products cross the target (the first
// partner whose product is not below it). It tried the window of width 2
// around that one if there was one: the window whose middle is last or last + 1.
Partners LastWindows(const std::vector<std::uint32_t>& widthAt, std::uint32_t crossing) {
    const auto size = static_cast<std::uint32_t>(widthAt.size());
    const std::uint32_t last = std::min(crossing == 0 ? 0 : crossing - 1, size - 2);
    const bool belowTried = widthAt[last] == 2;
    const bool aboveTried = widthAt[last + 1] == 2;
    return {last - belowTried, 2u + (belowTried | aboveTried)};
}

// Products with the run of equal quotients ending at runEnd equal the target
// exactly. The bisection stops at the first middle it meets in the run: the
// one with the widest window. If that window has width 2 it was tried before.
Partners ExactHit(const std::vector<GearPair>& table, const std::vector<std::uint32_t>& widthAt,
                  std::uint32_t runEnd) {
    std::uint32_t runStart = runEnd;
    while (runStart > 0 && table[runStart - 1].quotient == table[runEnd].quotient) {
        --runStart;
    }
    std::uint32_t stop = runStart;
    for (std::uint32_t x = runStart + 1; x <= runEnd; ++x) {
        if (widthAt[x] > widthAt[stop]) {
            stop = x;
        }
    }
    if (widthAt[stop] == 0) {
        return LastWindows(widthAt, runStart); // the run is one end of the table
    }
    return widthAt[stop] == 2 ? Partners{stop - 1, 3} : Partners{stop, 1};
}

// The first partner, at or below `exceed`, whose product with qu exceeds the
// target. Products fall with the partner's index; four are tested at a time
// so that the usual move of zero to three entries costs no unpredictable branch.
std::uint32_t FirstAbove(const std::vector<GearPair>& table, double qu, double target, std::uint32_t exceed) {
    for (;;) {
        std::uint32_t down = 0;
        for (std::uint32_t k = 1; k <= 4; ++k) {
            const bool inside = exceed >= k;
            down += inside & (qu * table[inside ? exceed - k : 0].quotient > target);
        }
        exceed -= down;
        if (down < 4) {
            return exceed;
        }
    }
}

// For the pairs begin .. begin + count - 1, the first partner whose product
// exceeds the target. Eight runs of pairs are followed side by side, each from a
// bisection of its own, so that their chains of dependent loads overlap.
void FindCrossings(const std::vector<GearPair>& table, double target, std::uint32_t begin,
                   std::uint32_t count, std::uint32_t* exceed) {
    constexpr std::uint32_t kRuns = 8;
    const std::uint32_t length = (count + kRuns - 1) / kRuns;
    std::array<std::uint32_t, kRuns> at{};
    for (std::uint32_t r = 0; r < kRuns; ++r) {
        const double qu = table[begin + std::min(r * length, count - 1)].quotient;
        const auto above = std::partition_point(table.begin(), table.end(), [&](const GearPair& partner) {
            return !(qu * partner.quotient > target);
        });
        at[r] = static_cast<std::uint32_t>(above - table.begin());
    }
    for (std::uint32_t step = 0; step < length; ++step) {
        for (std::uint32_t r = 0; r < kRuns; ++r) {
            const std::uint32_t k = r * length + step;
            if (k < count) {
                at[r] = FirstAbove(table, table[begin + k].quotient, target, at[r]);
                exceed[k] = at[r];
            }
        }
    }
}

// The errors of the tried partners, infinite for those not tried or not within tolerance.
struct TriedErrors {
    std::uint32_t first;
    std::array<double, 3> error;
    std::uint32_t count; // finite errors
    double least;
};

TriedErrors Within(const std::vector<GearPair>& table, double qu, Partners tried, double target) {
    constexpr double kNoCandidate = std::numeric_limits<double>::infinity();
    const auto last = static_cast<std::uint32_t>(table.size() - 1);
    TriedErrors t{tried.first, {}, 0, kNoCandidate};
    for (std::uint32_t k = 0; k < 3; ++k) {
        const double e = std::fabs(qu * table[std::min(tried.first + k, last)].quotient - target);
        const bool within = k < tried.count && e < kBisectionTolerance;
        t.error[k] = within ? e : kNoCandidate;
        t.count += within;
        t.least = std::min(t.least, t.error[k]);
    }
    return t;
}

// A record with its position in the order of finding, which decides which of
// equal errors the first cut keeps.
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
    void Skip(std::uint32_t count) { found_ += count; }

    std::uint32_t FoundCount() const { return found_; }

    // The records kept, by error, then as the complete searches order equal
    // errors (TrainBefore), then by order of finding.
    std::vector<SolutionRecord> Ordered() {
        Cut();
        std::sort(kept_.begin(), kept_.end(), [](const Found& a, const Found& b) {
            return TrainBefore(a.record, b.record) || (!TrainBefore(b.record, a.record) && a.order < b.order);
        });
        std::vector<SolutionRecord> records(kept_.size());
        std::transform(kept_.begin(), kept_.end(), records.begin(), [](const Found& f) { return f.record; });
        return records;
    }

  private:
    static constexpr std::size_t kCapacity = 2 * kFirstCut;

    // Leaves the best 251 with the worst of them last.
    void Cut() {
        if (kept_.size() > kFirstCut) {
            std::nth_element(kept_.begin(), kept_.begin() + (kFirstCut - 1), kept_.end(), Before);
            kept_.resize(kFirstCut);
        }
    }

    std::vector<Found> kept_;
    std::uint32_t found_ = 0;
    double bound_ = kBisectionTolerance;
};

SolutionRecord MakeRecord(double error, const GearPair& a, const GearPair& b) {
    return {error, std::min(a.driver, b.driver), std::max(a.driver, b.driver), std::min(a.driven, b.driven),
            std::max(a.driven, b.driven)};
}

// Hands the candidates of pair u to the first cut by error, equal errors by
// partner (the tried partners come in ascending order).
void Offer(const std::vector<GearPair>& table, std::uint32_t u, const TriedErrors& t, FirstCut& cut) {
    std::array<Candidate, 3> candidates;
    std::uint32_t count = 0;
    for (std::uint32_t k = 0; k < 3; ++k) {
        if (t.error[k] < kBisectionTolerance) {
            std::uint32_t at = count++;
            for (; at > 0 && candidates[at - 1].error > t.error[k]; --at) {
                candidates[at] = candidates[at - 1];
            }
            candidates[at] = {t.error[k], u, t.first + k};
        }
    }
    for (const Candidate& c : std::span(candidates).first(count)) {
        if (cut.Admits(c.error)) {
            cut.Add(MakeRecord(c.error, table[c.pairIndex], table[c.partnerIndex]));
        } else {
            cut.Skip(1);
        }
    }
}

// Completes every pair in table order and hands each pair's distinct partners,
// by error, to the first cut.
void CompleteEveryPair(const std::vector<GearPair>& table, double target, FirstCut& cut) {
    const auto size = static_cast<std::uint32_t>(table.size());
    if (size < 3) {
        return; // no window to bisect
    }
    const std::vector<std::uint32_t> widthAt = WindowWidths(size);

    // The partner whose product first exceeds the target moves down as u grows,
    // and so do the runs of exact hits.
    constexpr std::uint32_t kBlock = 1024;
    std::array<std::uint32_t, kBlock> crossing;
    std::uint32_t exactRun = kNone;
    Partners exactTried{};
    for (std::uint32_t begin = 0; begin < size; begin += kBlock) {
        const std::uint32_t count = std::min(kBlock, size - begin);
        FindCrossings(table, target, begin, count, crossing.data());
        for (std::uint32_t k = 0; k < count; ++k) {
            const std::uint32_t u = begin + k;
            const double qu = table[u].quotient;
            const std::uint32_t exceed = crossing[k];
            Partners tried;
            if (exceed > 0 && qu * table[exceed - 1].quotient == target) {
                if (exceed - 1 != exactRun) {
                    exactRun = exceed - 1;
                    exactTried = ExactHit(table, widthAt, exactRun);
                }
                tried = exactTried;
            } else {
                tried = LastWindows(widthAt, exceed);
            }
            const TriedErrors errors = Within(table, qu, tried, target);
            if (cut.Admits(errors.least)) {
                Offer(table, u, errors, cut);
            } else {
                cut.Skip(errors.count);
            }
        }
    }
}

// Some tooth count occurs more often than the gears on hand.
bool BreaksMultiplicity(const SolutionRecord& r, const Stock& stock) {
    const std::array<std::uint32_t, 4> teeth = {r.driver1, r.driver2, r.driven1, r.driven2};
    for (std::uint32_t t : teeth) {
        if (stock.count[t] < std::count(teeth.begin(), teeth.end(), t)) {
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
        // By key, then position; written out, since not every standard library compares arrays with <=>.
        bool operator<(const Keyed& other) const {
            return key != other.key ? key < other.key : position < other.position;
        }
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

SearchResult FindGearTrains(double target, const Stock& stock) {
    const std::vector<std::uint32_t> checkedTeeth = stock.Teeth();
    if (checkedTeeth.empty()) {
        return {SearchOutcome::NoStock, 0, {}};
    }
    if (OutOfRange(target, checkedTeeth.front(), checkedTeeth.back())) {
        return {SearchOutcome::OutOfRange, 0, {}};
    }
    FirstCut cut;
    CompleteEveryPair(BuildPairTable(checkedTeeth), target, cut);
    std::vector<SolutionRecord> records = cut.Ordered();
    std::erase_if(records, [&](const SolutionRecord& r) { return BreaksMultiplicity(r, stock); });
    RemoveSameGearRepeats(records);
    if (records.size() > kMaxSolutions) {
        records.resize(kMaxSolutions);
    }
    return {SearchOutcome::Searched, cut.FoundCount(), std::move(records)};
}
