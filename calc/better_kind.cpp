#include "better_kind.h"

#include <algorithm>

namespace {

bool WithinATenth(const std::optional<SolutionRecord>& chosen, double tolerance) {
    return chosen && chosen->error <= tolerance / 10;
}

} // namespace

std::optional<SolutionRecord> BetterKindOf(const std::optional<SolutionRecord>& chosen,
                                           const std::vector<SolutionRecord>& others, double tolerance) {
    if (WithinATenth(chosen, tolerance) || others.empty()) {
        return std::nullopt;
    }
    const SolutionRecord& first =
        *std::ranges::min_element(others, [tolerance](const SolutionRecord& x, const SolutionRecord& y) {
            return AnyBefore(x, y, tolerance);
        });
    if (chosen && !AnyBefore(first, *chosen, tolerance)) {
        return std::nullopt;
    }
    return first;
}

std::optional<BetterKind> FindBetterKind(const SearchRequest& request,
                                         const std::vector<SolutionRecord>& found) {
    if (request.train == TrainKind::Any || (request.gearbox && request.gearbox->plateOnly)) {
        return std::nullopt;
    }
    const Tolerance kept = ToleranceKept(request);
    const double tolerance = kept.For(request.target);
    const std::optional<SolutionRecord> chosen = found.empty() ? std::nullopt : std::optional(found.front());
    if (WithinATenth(chosen, tolerance)) {
        return std::nullopt;
    }
    std::vector<SolutionRecord> others;
    for (const TrainKind kind : {TrainKind::Simple, TrainKind::Compound, TrainKind::Six}) {
        if (kind == request.train) {
            continue;
        }
        SearchRequest other = request;
        other.method = SearchMethod::EveryTrain;
        other.tolerance = kept;
        other.limit = 1;
        other.train = kind;
        other.count = false;
        if (other.gearbox) {
            other.gearbox->plate.reset(); // the plate's gears are no other kind
        }
        const SearchResult result = RunSearch(other);
        others.insert(others.end(), result.solutions.begin(), result.solutions.end());
    }
    if (const std::optional<SolutionRecord> better = BetterKindOf(chosen, others, tolerance)) {
        return BetterKind{*better, kept};
    }
    return std::nullopt;
}
