#include "every_train.h"

#include "first_trains.h"
#include "mount.h"
#include "sweep_bounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <utility>

namespace {

constexpr std::uint32_t kMaxTooth = kMaxSearchTooth;

// A pair a <= b of tooth counts in one word: its product (below 2^16) above
// a and b, so that the words order pairs by product, then (a, b).
constexpr std::uint32_t Product(std::uint32_t pair) {
    return pair >> 16;
}
constexpr std::uint32_t Smaller(std::uint32_t pair) {
    return (pair >> 8) & 0xFF;
}
constexpr std::uint32_t Larger(std::uint32_t pair) {
    return pair & 0xFF;
}

// The unordered pairs of a stock's tooth counts in that order, by a counting
// sort; a pair of equal tooth counts only when two such gears are on hand.
struct PairTable {
    std::vector<std::uint32_t> pairs;
    std::vector<std::uint32_t> start; // start[p]: the first pair whose product is at least p
    std::uint32_t maxProduct = 0;
};

PairTable BuildPairs(const std::vector<std::uint32_t>& teeth, const Stock& stock) {
    PairTable table;
    table.maxProduct = teeth.back() * teeth.back();
    table.start.assign(table.maxProduct + 2, 0);
    const auto eachPair = [&](auto&& use) {
        for (std::size_t i = 0; i < teeth.size(); ++i) {
            for (std::size_t j = stock.count[teeth[i]] >= 2 ? i : i + 1; j < teeth.size(); ++j) {
                use(teeth[i] * teeth[j] << 16 | teeth[i] << 8 | teeth[j]);
            }
        }
    };
    eachPair([&](std::uint32_t pair) { ++table.start[Product(pair) + 1]; });
    for (std::size_t p = 1; p < table.start.size(); ++p) {
        table.start[p] += table.start[p - 1];
    }
    table.pairs.resize(table.start.back());
    std::vector<std::uint32_t> next(table.start.begin(), table.start.end() - 1);
    eachPair([&](std::uint32_t pair) { table.pairs[next[Product(pair)]++] = pair; });
    return table;
}

class Sweep {
  public:
    Sweep(double target, const EveryTrainOptions& options, const Stock& stock)
        : target_(target), tolerance_(options.tolerance), fit_(FitRule(options.fitMargin, options.banjo)),
          limits_(fit_ ? LimitsOf(*fit_) : ToothLimits{}), stock_(stock),
          roughTolerance_(RoughTolerance(target, options.tolerance)) {}

    // For every driven pair, the driver pairs whose product p lies in the
    // window around target * driven product q. Most of them need no more than
    // a count: a train goes the exact way (Consider) only when a driver and a
    // driven gear are near in size (then another split of its gears may be
    // within tolerance too, see NearTeeth), when its inverse may be within
    // tolerance, or when it may be among the first trains. These tests are
    // rough, but on the safe side.
    // Without the counts (kCount false) only the driver pairs that may be
    // among the first trains are met: their products are a range within the
    // window. With the fit on the banjo, the gears' tooth limits pass by most
    // trains that do not mount before the rule is asked.
    template <bool kFit, bool kCount>
    void Run(const PairTable& table, SearchResult& result, FirstTrains& first) const {
        Counts counts;
        const NearTeeth near(target_, roughTolerance_);
        std::array<std::uint8_t, kMaxTooth + 1> nearDriven{};
        const auto mark = [&](std::uint32_t tooth, std::uint8_t value) {
            for (std::uint32_t y = near.from[tooth]; y <= near.to[tooth]; ++y) {
                nearDriven[y] = value;
            }
        };
        // The inverse (drivers and driven swapped) can be within tolerance only
        // when the window holds 1; then for p from q / high to q / low.
        const double low = target_ - roughTolerance_;
        const double high = target_ + roughTolerance_;
        const bool inverseMayFit = low <= 1 && high >= 1;
        const std::uint32_t maxProduct = table.maxProduct;

        for (const std::uint32_t driven : table.pairs) {
            const std::uint32_t n1 = Smaller(driven);
            const std::uint32_t n2 = Larger(driven);
            if (kFit && n1 > limits_.mostLast) {
                continue; // neither goes on the leadscrew
            }
            const std::uint32_t q = Product(driven);
            const auto dq = static_cast<double>(q);
            // Products within tolerance: one wider on each side than the real window.
            const std::uint32_t windowLow = WholeAtMost(dq * (target_ - tolerance_) - 1, maxProduct);
            const std::uint32_t windowHigh = WholeAtMost(dq * (target_ + tolerance_) + 1, maxProduct - 1) + 1;
            // Products that may be among the first trains: from firstLow to
            // firstHigh; those whose inverse may be within tolerance too: from
            // q / high to q / low.
            const double bound = first.BoundError();
            const double slack = dq * std::fabs(target_) * 1e-12 + 1e-9;
            const std::uint32_t firstLow = WholeAtMost(dq * (target_ - bound) - slack, maxProduct);
            const std::uint32_t firstHigh = WholeAtMost(dq * (target_ + bound) + slack, maxProduct - 1) + 1;
            // Counting, the window exactly; otherwise only the products that may
            // be among the first, which Consider tells within tolerance.
            const auto [begin, end] = kCount ? ExactWindow(table, q, windowLow, windowHigh)
                                             : std::pair(table.start[std::max(windowLow, firstLow)],
                                                         table.start[std::min(windowHigh, firstHigh) + 1]);
            if (begin >= end) {
                continue;
            }
            const WordRange mayBeFirst(firstLow, firstHigh);
            const WordRange inverse =
                !inverseMayFit
                    ? WordRange()
                    : WordRange(WholeAtMost(dq / high - slack, maxProduct),
                                low > 0 ? WholeAtMost(dq / low + slack, maxProduct - 1) + 1 : maxProduct);
            if (kCount) {
                mark(n1, 1);
                mark(n2, 1);
            }

            std::uint64_t plain = 0;
            for (const std::uint32_t* at = &table.pairs[begin]; at != &table.pairs[end]; ++at) {
                const std::uint32_t driver = *at;
                const std::uint32_t d1 = Smaller(driver);
                const std::uint32_t d2 = Larger(driver);
                if (kFit && !(MayMount(limits_, std::array{d1, d2}, std::array{n1, n2}) &&
                              MountArrangement(d1, d2, n1, n2, *fit_))) {
                    continue;
                }
                const bool nearSize =
                    kCount ? (nearDriven[d1] | nearDriven[d2]) != 0
                           : near.Near(d1, n1) || near.Near(d1, n2) || near.Near(d2, n1) || near.Near(d2, n2);
                if (nearSize | mayBeFirst.Holds(driver)) {
                    if (WithinStock(d1, d2, n1, n2)) {
                        Consider(driver, driven, nearSize, inverseMayFit, counts, first);
                    }
                } else if (!inverse.Holds(driver)) {
                    ++plain;
                } else { // no tooth on both sides, only the inverse may come before it
                    ++counts.candidates;
                    counts.trains += !InverseFirst(d1, d2, n1, n2);
                }
            }
            counts.candidates += plain;
            counts.trains += plain;
            if (kCount) {
                mark(n1, 0);
                mark(n2, 0);
            }
        }
        result.candidateCount += counts.candidates;
        result.trainCount += counts.trains;
    }

  private:
    // The pairs whose product lies from low to high, as a range of words.
    class WordRange {
      public:
        WordRange() = default; // none
        WordRange(std::uint32_t low, std::uint32_t high)
            : from_(low << 16), width_((high << 16 | 0xFFFF) - from_) {}
        bool Holds(std::uint32_t pair) const { return pair - from_ <= width_; }

      private:
        std::uint32_t from_ = 0xFFFF0000; // above every pair: products stay below 2^16 - 1
        std::uint32_t width_ = 0;
    };

    // The trains within tolerance (and fitting) met, and the best of their gears among them.
    struct Counts {
        std::uint64_t candidates = 0;
        std::uint64_t trains = 0;
    };

    // For each tooth count x, the tooth counts y from `from` to `to` with x / y
    // between 1 / rho and rho (NearQuotient). If another split S of a train's
    // gears is within tolerance as well as the train (ratio r), r / S lies
    // between 1 / rho^2 and rho^2, and r / S is the square of the quotient of a
    // driver and a driven gear: with drivers {d1, n1}, (d2 / n1)^2; {d1, n2},
    // (d2 / n2)^2; {d2, n1}, (d1 / n1)^2; {d2, n2}, (d1 / n2)^2. (The fifth
    // split, drivers {n1, n2}, is the inverse.)
    struct NearTeeth {
        NearTeeth(double target, double roughTolerance) {
            const double rho = NearQuotient(target, roughTolerance);
            for (std::uint32_t x = 1; x <= kMaxTooth; ++x) {
                const auto [lowest, highest] = NearRange(x, rho, kMaxTooth);
                from[x] = static_cast<std::uint8_t>(lowest);
                to[x] = static_cast<std::uint8_t>(highest);
            }
        }
        // Whether x lies among y's near tooth counts.
        bool Near(std::uint32_t x, std::uint32_t y) const { return from[y] <= x && x <= to[y]; }

        std::array<std::uint8_t, kMaxTooth + 1> from{};
        std::array<std::uint8_t, kMaxTooth + 1> to{};
    };

    double Error(std::uint32_t driverProduct, std::uint32_t drivenProduct) const {
        return std::fabs(static_cast<double>(driverProduct) / static_cast<double>(drivenProduct) - target_);
    }

    // Error(p, q) < tolerance, mostly decided by multiplying: only p / q within
    // a rounding's reach of the tolerance's edge is divided.
    bool Within(std::uint32_t p, std::uint32_t q) const {
        const auto dq = static_cast<double>(q);
        const double off = std::fabs(static_cast<double>(p) - target_ * dq);
        const double edge = tolerance_ * dq;
        const double reach = (std::fabs(target_) + tolerance_) * dq * 1e-13;
        if (off < edge - reach) {
            return true;
        }
        return off <= edge + reach && Error(p, q) < tolerance_;
    }

    // The pairs (ordered by product) whose product p has Error(p, q) below the
    // tolerance. These products are an interval, since the error falls and then
    // rises with p; the products from low to high take it in, and the exact
    // test moves their pairs' range inward.
    std::pair<std::uint32_t, std::uint32_t> ExactWindow(const PairTable& table, std::uint32_t q,
                                                        std::uint32_t low, std::uint32_t high) const {
        std::uint32_t begin = table.start[low];
        std::uint32_t end = table.start[high + 1];
        while (begin < end && !Within(Product(table.pairs[begin]), q)) {
            ++begin;
        }
        while (end > begin && !Within(Product(table.pairs[end - 1]), q)) {
            --end;
        }
        return {begin, end};
    }

    // A tooth count shared by the two pairs may be used more often than it is on hand.
    bool WithinStock(std::uint32_t d1, std::uint32_t d2, std::uint32_t n1, std::uint32_t n2) const {
        if (d1 != n1 && d1 != n2 && d2 != n1 && d2 != n2) {
            return true;
        }
        const std::array<std::uint32_t, 4> teeth = {d1, d2, n1, n2};
        return std::all_of(teeth.begin(), teeth.end(), [&](std::uint32_t t) {
            return std::count(teeth.begin(), teeth.end(), t) <= stock_.count[t];
        });
    }

    bool FitsIfAsked(const SolutionRecord& train) const {
        return !fit_ || MountArrangement(train.driver1, train.driver2, train.driven1, train.driven2, *fit_);
    }

    // Whether no other split of the same four gears into drivers and driven is
    // within tolerance (and fits) and comes before this train: the inverse
    // when it may be within tolerance, the splits that swap a driver and a
    // driven gear when those may be near in size.
    bool BestOfItsGears(const SolutionRecord& train, bool nearSize, bool inverse) const {
        const auto before = [&](std::uint32_t x, std::uint32_t y, std::uint32_t u, std::uint32_t v) {
            const SolutionRecord other{Error(x * y, u * v), std::min(x, y), std::max(x, y), std::min(u, v),
                                       std::max(u, v)};
            return other.error < tolerance_ && TrainBefore(other, train) && FitsIfAsked(other);
        };
        const std::uint32_t d1 = train.driver1;
        const std::uint32_t d2 = train.driver2;
        const std::uint32_t n1 = train.driven1;
        const std::uint32_t n2 = train.driven2;
        return !(inverse && InverseFirst(d1, d2, n1, n2)) &&
               !(nearSize && (before(d1, n1, d2, n2) || before(d1, n2, d2, n1) || before(d2, n1, d1, n2) ||
                              before(d2, n2, d1, n1)));
    }

    // Whether the inverse of a train within tolerance (its drivers and driven
    // gears swapped) comes before it, is within tolerance too and fits. Its
    // gears are the train's: only the error and then the gears in order can
    // tell them apart (TrainBefore). The errors e of p / q and e' of q / p are
    // mostly ordered by multiplying, as p q e = p |p - t q| and p q e' =
    // q |q - t p|; only where those lie within rounding's reach of each other
    // are the errors divided out.
    bool InverseFirst(std::uint32_t d1, std::uint32_t d2, std::uint32_t n1, std::uint32_t n2) const {
        const std::uint32_t p = d1 * d2;
        const std::uint32_t q = n1 * n2;
        const auto dp = static_cast<double>(p);
        const auto dq = static_cast<double>(q);
        const double scaled = dp * std::fabs(dp - target_ * dq);
        const double inverseScaled = dq * std::fabs(dq - target_ * dp);
        // Far beyond the rounding of both products and of the errors divided out.
        const double reach =
            ((dp + dq) * (dp + dq) * (1 + std::fabs(target_)) + scaled + inverseScaled) * 1e-14;
        bool first = inverseScaled < scaled;
        if (!(std::fabs(scaled - inverseScaled) > reach)) {
            const double error = Error(p, q);
            const double inverseError = Error(q, p);
            first = inverseError < error || (inverseError == error && std::tie(n1, n2) < std::tie(d1, d2));
        }
        return first && Within(q, p) && FitsIfAsked({0, n1, n2, d1, d2});
    }

    // The exact way for one train within stock (and fitting): counts it and
    // offers it to the first trains. nearSize and inverse: which other splits
    // of its gears may be within tolerance too (BestOfItsGears).
    void Consider(std::uint32_t driver, std::uint32_t driven, bool nearSize, bool inverse, Counts& counts,
                  FirstTrains& first) const {
        const SolutionRecord train{Error(Product(driver), Product(driven)), Smaller(driver), Larger(driver),
                                   Smaller(driven), Larger(driven)};
        if (!(train.error < tolerance_)) {
            return;
        }
        ++counts.candidates;
        if (!BestOfItsGears(train, nearSize, inverse)) {
            return;
        }
        ++counts.trains;
        if (train.error <= first.BoundError()) {
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

SearchResult FindEveryTrain(double target, const Stock& stock, const EveryTrainOptions& options) {
    SearchStart start = StartSearch(target, options.tolerance, stock);
    if (!start.searchable) {
        return start.result;
    }
    const std::vector<std::uint32_t>& teeth = start.teeth;
    SearchResult& result = start.result;
    const KeptTable<PairTable> kept(stock, [&] { return BuildPairs(teeth, stock); });
    const PairTable& table = *kept;
    const Sweep sweep(target, options, stock);
    FirstTrains first(options.limit);
    // The fit rule, by the margin or the banjo's geometry, with or without the counts.
    const std::array runs = {&Sweep::Run<false, false>, &Sweep::Run<false, true>, &Sweep::Run<true, false>,
                             &Sweep::Run<true, true>};
    (sweep.*runs[2 * options.fitMargin.has_value() + options.count])(table, result, first);
    result.solutions = first.Ordered();
    if (!options.count) {
        result.candidateCount = 0;
        result.trainCount = 0;
    }
    return result;
}
