#include "six_gear.h"

#include "first_trains.h"
#include "mount.h"
#include "sweep_bounds.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>

namespace {

constexpr std::uint32_t kMaxTooth = kMaxSearchTooth;
constexpr std::uint32_t kMaxPairProduct = kMaxTooth * kMaxTooth;

// A triple a <= b <= c of tooth counts in one word: its product (below 2^24)
// above a, b and c, so that the words order triples by product, then (a, b, c).
using Triple = std::uint64_t;

constexpr Triple MakeTriple(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    return static_cast<Triple>(a * b * c) << 24 | a << 16 | b << 8 | c;
}
constexpr std::uint32_t Product(Triple t) {
    return static_cast<std::uint32_t>(t >> 24);
}
constexpr std::array<std::uint32_t, 3> Teeth(Triple t) {
    return {static_cast<std::uint32_t>(t >> 16) & 0xFF, static_cast<std::uint32_t>(t >> 8) & 0xFF,
            static_cast<std::uint32_t>(t) & 0xFF};
}

// The triples of a stock's tooth counts in that order; a tooth count repeated
// only as often as it is on hand. They are made in the order of (a, b, c) and
// then put in the order of their products by two stable counting passes of 12
// bits each, which keep (a, b, c) within a product.
std::vector<Triple> BuildTriples(const std::vector<std::uint32_t>& teeth, const Stock& stock) {
    std::vector<Triple> made;
    for (std::size_t i = 0; i < teeth.size(); ++i) {
        for (std::size_t j = stock.count[teeth[i]] >= 2 ? i : i + 1; j < teeth.size(); ++j) {
            const bool pairOfOne = i == j;
            for (std::size_t k = j; k < teeth.size(); ++k) {
                const std::uint32_t needed = (k == j) ? (pairOfOne ? 3 : 2) : 1;
                if (stock.count[teeth[k]] >= needed) {
                    made.push_back(MakeTriple(teeth[i], teeth[j], teeth[k]));
                }
            }
        }
    }
    constexpr unsigned kBits = 12;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    std::vector<Triple> sorted(made.size());
    for (unsigned shift = 24; shift < 48; shift += kBits) {
        std::vector<std::size_t> next(kBuckets + 1, 0);
        for (const Triple t : made) {
            ++next[((t >> shift) & (kBuckets - 1)) + 1];
        }
        for (std::size_t b = 1; b <= kBuckets; ++b) {
            next[b] += next[b - 1];
        }
        for (const Triple t : made) {
            sorted[next[(t >> shift) & (kBuckets - 1)]++] = t;
        }
        made.swap(sorted);
    }
    return made;
}

class SixSweep {
  public:
    SixSweep(double target, const EveryTrainOptions& options, const Stock& stock)
        : target_(target), tolerance_(options.tolerance), fit_(FitRule(options.fitMargin, options.banjo)),
          stock_(stock), roughTolerance_(RoughTolerance(target, options.tolerance)) {}

    // The first trains without counting: for every driven triple, in the order
    // of products q, the driver triples outward from the first whose ratio
    // p / q reaches the target, as long as the error may still get a train
    // among the first. The error grows on either side, so each side stops at
    // the first product beyond the first trains' worst error; at that error
    // exactly only the triples with the smallest drivers can get in, and they
    // lead their product's run of triples.
    void Best(const std::vector<Triple>& triples, FirstTrains& first) const {
        const std::size_t n = triples.size();
        std::size_t cross = 0;
        for (const Triple driven : triples) {
            const std::uint32_t q = Product(driven);
            while (cross < n && Ratio(Product(triples[cross]), q) < target_) {
                ++cross;
            }
            for (std::size_t i = cross; i < n; ++i) {
                const double error = Error(Product(triples[i]), q);
                if (!(error < tolerance_) || error > first.BoundError()) {
                    break;
                }
                const SolutionRecord train = Train(error, triples[i], driven);
                if (!first.Admits(train)) {
                    break; // the rest of this product's run has larger drivers, the next products larger
                           // errors
                }
                Offer(train, first);
            }
            for (std::size_t i = cross; i-- > 0;) {
                const std::uint32_t p = Product(triples[i]);
                const double error = Error(p, q);
                if (!(error < tolerance_) || error > first.BoundError()) {
                    break;
                }
                if (error == first.BoundError()) {
                    std::size_t from = i;
                    while (from > 0 && Product(triples[from - 1]) == p) {
                        --from;
                    }
                    for (std::size_t j = from; j <= i; ++j) {
                        const SolutionRecord train = Train(error, triples[j], driven);
                        if (!first.Admits(train)) {
                            break;
                        }
                        Offer(train, first);
                    }
                    break;
                }
                Offer(Train(error, triples[i], driven), first);
            }
        }
    }

    // Every train within tolerance, counted, and the first ones kept. Most of
    // them need no more than a count: a train goes the exact way only when
    // another split of its gears may be within tolerance too (a driver and a
    // driven gear near in size, a pair of drivers and a pair of driven gears
    // near in product, or the inverse; a tooth count on both sides is near in
    // size too), or when it may be among the first trains. These tests are
    // rough, but on the safe side.
    void Every(const std::vector<Triple>& triples, SearchResult& result, FirstTrains& first) const {
        const std::size_t n = triples.size();
        const double rho = NearQuotient(target_, roughTolerance_);
        std::vector<std::uint8_t> nearTooth(kMaxTooth + 1, 0);
        std::vector<std::uint8_t> nearPair(kMaxPairProduct + 1, 0);
        const auto mark = [&](std::vector<std::uint8_t>& marks, std::uint32_t x, std::uint32_t limit,
                              int step) {
            const auto [from, to] = NearRange(x, rho, limit);
            for (std::uint32_t y = from; y <= to; ++y) {
                marks[y] = static_cast<std::uint8_t>(marks[y] + step);
            }
        };
        const double low = target_ - roughTolerance_;
        const double high = target_ + roughTolerance_;
        // With the inverse possible, or near meaning more than 1 % apart, every
        // train goes the exact way rather than mark wide ranges for every triple.
        const bool allRivals = (low <= 1 && high >= 1) || !(rho < 1.01);
        const std::uint32_t maxProduct = n == 0 ? 0 : Product(triples.back());
        std::size_t begin = 0;
        std::size_t end = 0;
        for (const Triple driven : triples) {
            const std::uint32_t q = Product(driven);
            while (begin < n && Ratio(Product(triples[begin]), q) < target_ &&
                   !(Error(Product(triples[begin]), q) < tolerance_)) {
                ++begin;
            }
            end = std::max(end, begin);
            while (end < n && (Ratio(Product(triples[end]), q) < target_ ||
                               Error(Product(triples[end]), q) < tolerance_)) {
                ++end;
            }
            if (begin == end) {
                continue;
            }
            const auto [n1, n2, n3] = Teeth(driven);
            const auto markAll = [&](int step) {
                for (const std::uint32_t tooth : {n1, n2, n3}) {
                    mark(nearTooth, tooth, kMaxTooth, step);
                }
                for (const std::uint32_t pair : {n1 * n2, n1 * n3, n2 * n3}) {
                    mark(nearPair, pair, kMaxPairProduct, step);
                }
            };
            if (!allRivals) {
                markAll(1);
            }

            // Products that may need the exact way: from firstLow to firstHigh.
            const auto dq = static_cast<double>(q);
            const double bound = first.BoundError();
            const double slack = dq * std::fabs(target_) * 1e-12 + 1e-9;
            const std::uint32_t firstLow = WholeAtMost(dq * (target_ - bound) - slack, maxProduct);
            const std::uint32_t firstHigh = WholeAtMost(dq * (target_ + bound) + slack, maxProduct - 1) + 1;

            std::uint64_t plain = 0;
            for (std::size_t i = begin; i < end; ++i) {
                const Triple driver = triples[i];
                const auto [d1, d2, d3] = Teeth(driver);
                const std::uint32_t p = Product(driver);
                if (fit_ && !MountArrangement({d1, d2, d3}, {n1, n2, n3}, *fit_)) {
                    continue;
                }
                const bool rivals = allRivals || (nearTooth[d1] | nearTooth[d2] | nearTooth[d3]) != 0 ||
                                    (nearPair[d1 * d2] | nearPair[d1 * d3] | nearPair[d2 * d3]) != 0;
                if (!rivals && (p < firstLow || p > firstHigh)) {
                    ++plain;
                    continue;
                }
                const SolutionRecord train = Train(Error(p, q), driver, driven);
                if (WithinStock(train)) {
                    ++result.candidateCount;
                    if (rivals && !BestOfItsGears(train)) {
                        continue;
                    }
                    ++result.trainCount;
                    if (train.error <= first.BoundError()) {
                        first.Add(train);
                    }
                }
            }
            result.candidateCount += plain;
            result.trainCount += plain;
            if (!allRivals) {
                markAll(-1);
            }
        }
    }

  private:
    double Ratio(std::uint32_t driverProduct, std::uint32_t drivenProduct) const {
        return static_cast<double>(driverProduct) / static_cast<double>(drivenProduct);
    }

    double Error(std::uint32_t driverProduct, std::uint32_t drivenProduct) const {
        return std::fabs(Ratio(driverProduct, drivenProduct) - target_);
    }

    static SolutionRecord Train(double error, Triple driver, Triple driven) {
        const auto [d1, d2, d3] = Teeth(driver);
        const auto [n1, n2, n3] = Teeth(driven);
        return {error, d1, d2, n1, n2, 6, d3, n3, 0};
    }

    // Each triple keeps to the stock; together they may not.
    bool WithinStock(const SolutionRecord& train) const {
        const std::array<std::uint32_t, 6> teeth = {train.driver1, train.driver2, train.driver3,
                                                    train.driven1, train.driven2, train.driven3};
        return std::all_of(teeth.begin(), teeth.end(), [&](std::uint32_t t) {
            return std::count(teeth.begin(), teeth.end(), t) <= stock_.count[t];
        });
    }

    bool MountsIfAsked(const SolutionRecord& train) const {
        return !fit_ || MountArrangement({train.driver1, train.driver2, train.driver3},
                                         {train.driven1, train.driven2, train.driven3}, *fit_);
    }

    // Whether no other split of the same six gears into three drivers and
    // three driven gears is within tolerance (and mounts) and comes before this train.
    bool BestOfItsGears(const SolutionRecord& train) const {
        const std::array<std::uint32_t, 6> gears = {train.driver1, train.driver2, train.driver3,
                                                    train.driven1, train.driven2, train.driven3};
        for (unsigned drivers = 0; drivers < 64; ++drivers) {
            if (std::popcount(drivers) != 3) {
                continue;
            }
            std::array<std::uint32_t, 3> d{};
            std::array<std::uint32_t, 3> n{};
            std::size_t dn = 0;
            std::size_t nn = 0;
            for (unsigned i = 0; i < 6; ++i) {
                ((drivers >> i & 1) != 0 ? d[dn++] : n[nn++]) = gears[i];
            }
            std::sort(d.begin(), d.end());
            std::sort(n.begin(), n.end());
            const SolutionRecord other{
                Error(d[0] * d[1] * d[2], n[0] * n[1] * n[2]), d[0], d[1], n[0], n[1], 6, d[2], n[2], 0};
            if (other.error < tolerance_ && TrainBefore(other, train) && MountsIfAsked(other)) {
                return false;
            }
        }
        return true;
    }

    // A train met without counting: offered when it keeps to the stock,
    // mounts and is the best of its gears.
    void Offer(const SolutionRecord& train, FirstTrains& first) const {
        if (WithinStock(train) && MountsIfAsked(train) && BestOfItsGears(train)) {
            first.Add(train);
        }
    }

    double target_;
    double tolerance_;
    std::optional<MountRule> fit_;
    const Stock& stock_;
    double roughTolerance_;
};

} // namespace

SearchResult FindSixGearTrains(double target, const Stock& stock, const EveryTrainOptions& options) {
    std::vector<std::uint32_t> teeth = stock.Teeth();
    std::erase(teeth, 0u); // no train holds a gear without teeth
    if (teeth.empty()) {
        return {SearchOutcome::NoStock, 0, {}};
    }
    SearchResult result{SearchOutcome::Searched, 0, {}};
    if (!(options.tolerance > 0) || !std::isfinite(options.tolerance) || !std::isfinite(target)) {
        return result;
    }
    const std::vector<Triple> triples = BuildTriples(teeth, stock);
    const SixSweep sweep(target, options, stock);
    FirstTrains first(options.limit);
    if (options.count) {
        sweep.Every(triples, result, first);
    } else {
        sweep.Best(triples, first);
    }
    result.solutions = first.Ordered();
    return result;
}
