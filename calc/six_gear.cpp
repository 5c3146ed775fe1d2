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

// The 20 ways to choose three of six places, as bit sets.
constexpr std::array<unsigned, 20> kThreeOfSix = [] {
    std::array<unsigned, 20> sets{};
    std::size_t count = 0;
    for (unsigned set = 0; set < 64; ++set) {
        if (std::popcount(set) == 3) {
            sets[count++] = set;
        }
    }
    return sets;
}();

// A triple a <= b <= c of tooth counts in one word: its product (below 2^24)
// above a, b and c, so that the words order triples by product, then (a, b, c).
using Triple = std::uint64_t;

constexpr std::uint32_t Product(Triple t) {
    return static_cast<std::uint32_t>(t >> 24);
}
constexpr std::array<std::uint32_t, 3> Teeth(Triple t) {
    return {static_cast<std::uint32_t>(t >> 16) & 0xFF, static_cast<std::uint32_t>(t >> 8) & 0xFF,
            static_cast<std::uint32_t>(t) & 0xFF};
}

// Each triple a <= b <= c of the stock's tooth counts, in the order of
// (a, b, c), a tooth count repeated only as often as it is on hand: use(a, b, c).
template <class Use> void EachTriple(const std::vector<std::uint32_t>& teeth, const Stock& stock, Use use) {
    const std::size_t n = teeth.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t a = teeth[i];
        for (std::size_t j = stock.count[a] >= 2 ? i : i + 1; j < n; ++j) {
            const std::uint32_t b = teeth[j];
            if (stock.count[b] >= (i == j ? 3u : 2u)) {
                use(a, b, b);
            }
            for (std::size_t k = j + 1; k < n; ++k) {
                use(a, b, teeth[k]);
            }
        }
    }
}

// The triples in the order of their products, then (a, b, c): made in the
// order of (a, b, c), counting the two 12-bit digits of their products on the
// way, then put in order by two stable counting passes.
std::vector<Triple> BuildTriples(const std::vector<std::uint32_t>& teeth, const Stock& stock) {
    constexpr unsigned kBits = 12;
    constexpr std::uint32_t kMask = (1u << kBits) - 1;
    const std::size_t n = teeth.size();
    std::vector<Triple> made((n + 2) * (n + 1) * n / 6); // as many as the stock can give
    std::vector<std::uint32_t> low(kMask + 2, 0);
    std::vector<std::uint32_t> high(kMask + 2, 0);
    std::size_t size = 0;
    EachTriple(teeth, stock, [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        const std::uint32_t product = a * b * c;
        ++low[(product & kMask) + 1];
        ++high[(product >> kBits) + 1];
        made[size++] = static_cast<Triple>(product) << 24 | a << 16 | b << 8 | c;
    });
    made.resize(size);
    std::vector<Triple> sorted(size);
    for (std::uint32_t d = 1; d <= kMask + 1; ++d) {
        low[d] += low[d - 1];
        high[d] += high[d - 1];
    }
    for (const Triple t : made) {
        sorted[low[Product(t) & kMask]++] = t;
    }
    for (const Triple t : sorted) {
        made[high[Product(t) >> kBits]++] = t;
    }
    return made;
}

// The products of the stock's triples, ascending, each once, without putting
// the triples themselves in order: the triples of a product are found again
// by dividing it. It keeps its own copy of the teeth and the stock, so that it
// can be kept for the next search (KeptTable).
class TripleProducts {
  public:
    TripleProducts(const std::vector<std::uint32_t>& teeth, const Stock& stock)
        : teeth_(teeth), stock_(stock) {
        const std::uint32_t top = teeth.back();
        std::vector<std::uint64_t> present((top * top * top >> 6) + 1, 0);
        std::size_t triples = 0;
        EachTriple(teeth, stock, [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
            const std::uint32_t product = a * b * c;
            present[product >> 6] |= std::uint64_t{1} << (product & 63);
            ++triples;
        });
        products_.reserve(triples); // at least as many as there are products
        for (std::size_t word = 0; word < present.size(); ++word) {
            for (std::uint64_t bits = present[word]; bits != 0; bits &= bits - 1) {
                products_.push_back(static_cast<std::uint32_t>(word << 6) +
                                    static_cast<std::uint32_t>(std::countr_zero(bits)));
            }
        }
    }

    const std::vector<std::uint32_t>& Products() const { return products_; }

    // Each triple a <= b <= c on hand whose product is p, in the order of
    // (a, b, c): use(triple).
    template <class Use> void EachOf(std::uint32_t p, Use use) const {
        const std::size_t n = teeth_.size();
        for (std::size_t i = 0; i < n && teeth_[i] * teeth_[i] * teeth_[i] <= p; ++i) {
            const std::uint32_t a = teeth_[i];
            if (p % a != 0) {
                continue;
            }
            const std::uint32_t rest = p / a;
            for (std::size_t j = stock_.count[a] >= 2 ? i : i + 1; j < n && teeth_[j] * teeth_[j] <= rest;
                 ++j) {
                const std::uint32_t b = teeth_[j];
                const std::uint32_t c = rest / b;
                if (rest % b == 0 && c <= kMaxTooth && stock_.count[c] >= 1u + (c == a) + (c == b)) {
                    use(std::array<std::uint32_t, 3>{a, b, c});
                }
            }
        }
    }

  private:
    std::vector<std::uint32_t> teeth_;
    Stock stock_;
    std::vector<std::uint32_t> products_;
};

class SixSweep {
  public:
    SixSweep(double target, const EveryTrainOptions& options, const Stock& stock)
        : target_(target), tolerance_(options.tolerance), fit_(FitRule(options.fitMargin, options.banjo)),
          limits_(fit_ ? LimitsOf(*fit_) : ToothLimits{}), stock_(stock),
          roughTolerance_(RoughTolerance(target, options.tolerance)) {}

    // The first trains without counting: for every product q of driven
    // triples, ascending, the products p of driver triples whose ratio p / q
    // lies within the first trains' worst error of the target (and within
    // tolerance): those about the first product p at or above target * q,
    // which moves up with q. Only then are the triples of p and q found
    // (TripleProducts). At that worst error exactly only trains with no more
    // teeth than the worst train's can get in, and six gears of product p * q
    // have at least 6 * (p * q)^(1/6) teeth: most products of a tie are passed
    // by undivided, and once the worst error is 0, so are all the larger q.
    void Best(const TripleProducts& table, FirstTrains& first) const {
        const std::vector<std::uint32_t>& products = table.Products();
        const std::size_t n = products.size();
        std::vector<std::array<std::uint32_t, 3>> drivenTriples;
        std::uint32_t tieSum = 0;     // the worst first train's teeth
        double tieProduct = HUGE_VAL; // the largest product of six gears with no more teeth
        const auto mostProduct = [&] {
            if (const std::uint32_t sum = ToothSum(first.Bound()); sum != tieSum) {
                const double most = (sum + 0.5) / 6; // half a tooth for the rounding
                tieSum = sum;
                tieProduct = most * most * most * most * most * most;
            }
            return tieProduct;
        };
        std::size_t cross = 0;
        for (const std::uint32_t q : products) {
            const auto dq = static_cast<double>(q);
            const double tq = target_ * dq;
            // Products beyond these cannot be among the first trains: no need to divide.
            const double reach =
                std::min(first.BoundError(), tolerance_) * dq * (1 + 1e-12) + std::fabs(tq) * 1e-12 + 1e-9;
            if (first.BoundError() == 0 && (tq - reach) * dq > mostProduct() * (1 + 1e-9)) {
                break;
            }
            while (cross < n && products[cross] < tq) {
                ++cross;
            }
            drivenTriples.clear();
            const auto trains = [&](std::uint32_t p) {
                const double error = Error(p, q);
                if (!(error < tolerance_) || error > first.BoundError()) {
                    return;
                }
                if (error == first.BoundError() && static_cast<double>(p) * dq > mostProduct()) {
                    return;
                }
                table.EachOf(p, [&](const std::array<std::uint32_t, 3>& drivers) {
                    if (drivenTriples.empty()) {
                        table.EachOf(q, [&](const std::array<std::uint32_t, 3>& driven) {
                            drivenTriples.push_back(driven);
                        });
                    }
                    for (const auto& driven : drivenTriples) {
                        const SolutionRecord train = Train(error, drivers, driven);
                        if (first.Admits(train)) {
                            Offer(train, first);
                        }
                    }
                });
            };
            for (std::size_t i = cross; i < n && products[i] <= tq + reach; ++i) {
                trains(products[i]);
            }
            for (std::size_t i = cross; i-- > 0 && products[i] >= tq - reach;) {
                trains(products[i]);
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
            const std::array<std::uint32_t, 3> drivenTeeth = Teeth(driven);
            const std::uint32_t n1 = drivenTeeth[0];
            const std::uint32_t n2 = drivenTeeth[1];
            const std::uint32_t n3 = drivenTeeth[2];
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
                if (fit_ && !(MayMount(limits_, std::array{d1, d2, d3}, std::array{n1, n2, n3}) &&
                              MountArrangement({d1, d2, d3}, {n1, n2, n3}, *fit_))) {
                    continue;
                }
                const bool rivals = allRivals || (nearTooth[d1] | nearTooth[d2] | nearTooth[d3]) != 0 ||
                                    (nearPair[d1 * d2] | nearPair[d1 * d3] | nearPair[d2 * d3]) != 0;
                if (!rivals && (p < firstLow || p > firstHigh)) {
                    ++plain;
                    continue;
                }
                const SolutionRecord train = Train(Error(p, q), Teeth(driver), Teeth(driven));
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

    static SolutionRecord Train(double error, const std::array<std::uint32_t, 3>& drivers,
                                const std::array<std::uint32_t, 3>& driven) {
        return {error, drivers[0], drivers[1], driven[0], driven[1], 6, drivers[2], driven[2], 0};
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
        const std::array drivers = {train.driver1, train.driver2, train.driver3};
        const std::array driven = {train.driven1, train.driven2, train.driven3};
        return !fit_ || (MayMount(limits_, drivers, driven) && MountArrangement(drivers, driven, *fit_));
    }

    // Whether no other split of the same six gears into three drivers and
    // three driven gears is within tolerance (and mounts) and comes before this train.
    bool BestOfItsGears(const SolutionRecord& train) const {
        const std::array<std::uint32_t, 6> gears = {train.driver1, train.driver2, train.driver3,
                                                    train.driven1, train.driven2, train.driven3};
        for (const unsigned drivers : kThreeOfSix) {
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
    ToothLimits limits_;
    const Stock& stock_;
    double roughTolerance_;
};

} // namespace

SearchResult FindSixGearTrains(double target, const Stock& stock, const EveryTrainOptions& options) {
    SearchStart start = StartSearch(target, options.tolerance, stock);
    if (!start.searchable) {
        return start.result;
    }
    const std::vector<std::uint32_t>& teeth = start.teeth;
    SearchResult& result = start.result;
    const SixSweep sweep(target, options, stock);
    FirstTrains first(options.limit);
    if (options.count) {
        sweep.Every(BuildTriples(teeth, stock), result, first);
    } else {
        const KeptTable<TripleProducts> kept(stock, [&] { return TripleProducts(teeth, stock); });
        sweep.Best(*kept, first);
    }
    result.solutions = first.Ordered();
    return result;
}
