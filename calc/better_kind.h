// Another kind of train that serves the target better than the kind chosen,
// so that the window, the tool and the chart can say what the lathe could do
// instead: where the chosen kind has no train within the tolerance and another
// kind has, or where another kind's first train comes before the chosen kind's
// in the order of every kind (AnyBefore).
#pragma once

#include "search.h"
#include "train.h"

#include <optional>
#include <vector>

// The decision. chosen: the chosen kind's first train within the tolerance
// (absolute), if any; others: the first train within it of each other kind
// that has one. Nothing when the chosen train lies within a tenth of the
// tolerance; otherwise the first of the others in AnyBefore's order, where
// there is no chosen train or that one comes before it.
std::optional<SolutionRecord> BetterKindOf(const std::optional<SolutionRecord>& chosen,
                                           const std::vector<SolutionRecord>& others, double tolerance);

// Another kind's train that does better, and the tolerance the searches kept to.
struct BetterKind {
    SolutionRecord train;
    Tolerance kept;
};

// The decision for a search already run: `found` is RunSearch's list for the
// request. The other kinds are searched (their first train each, with the
// request's stock, fit and banjo and the tolerance it kept) only when the
// chosen kind's first train is not within a tenth of that tolerance, so that
// most targets cost nothing more. Nothing with every kind chosen, nor when
// only the plate's gears are asked for.
std::optional<BetterKind> FindBetterKind(const SearchRequest& request,
                                         const std::vector<SolutionRecord>& found);
