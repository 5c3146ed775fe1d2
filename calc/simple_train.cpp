#include "simple_train.h"

#include "first_trains.h"
#include "mount.h"

#include <cmath>
#include <optional>

namespace {

// The smallest gear on hand besides a and d, the first that mounts when the
// rule is given; 0 when there is none.
std::uint32_t Idler(const std::vector<std::uint32_t>& teeth, const Stock& stock, std::uint32_t a,
                    std::uint32_t d, const std::optional<MountRule>& rule) {
    for (const std::uint32_t idler : teeth) {
        const unsigned used = (idler == a) + (idler == d);
        if (stock.count[idler] > used && (!rule || MountsSimple(*rule, a, idler, d))) {
            return idler;
        }
    }
    return 0;
}

} // namespace

SearchResult FindSimpleTrains(double target, const Stock& stock, const EveryTrainOptions& options) {
    SearchStart start = StartSearch(target, options.tolerance, stock);
    if (!start.searchable) {
        return start.result;
    }
    const std::vector<std::uint32_t>& teeth = start.teeth;
    SearchResult& result = start.result;
    const std::optional<MountRule> fit = FitRule(options.fitMargin, options.banjo);
    const std::optional<MountRule> arrange = ArrangeRule(options.fitMargin, options.banjo);
    const auto train = [&](std::uint32_t a, std::uint32_t d) -> std::optional<SolutionRecord> {
        const double error = std::fabs(static_cast<double>(a) / static_cast<double>(d) - target);
        if (!(error < options.tolerance) || (a == d && stock.count[a] < 2)) {
            return std::nullopt;
        }
        std::uint32_t idler = Idler(teeth, stock, a, d, arrange);
        if (idler == 0 && !fit) {
            idler = Idler(teeth, stock, a, d, std::nullopt);
        }
        if (idler == 0) {
            return std::nullopt;
        }
        return SolutionRecord{error, a, 0, d, 0, 2, 0, 0, idler};
    };
    FirstTrains first(options.limit);
    for (const std::uint32_t a : teeth) {
        for (const std::uint32_t d : teeth) {
            const std::optional<SolutionRecord> found = train(a, d);
            if (!found) {
                continue;
            }
            ++result.candidateCount;
            if (const std::optional<SolutionRecord> inverse = a != d ? train(d, a) : std::nullopt;
                inverse && TrainBefore(*inverse, *found)) {
                continue; // D / A counts for this pair of gears
            }
            ++result.trainCount;
            first.Add(*found);
        }
    }
    result.solutions = first.Ordered();
    return result;
}
