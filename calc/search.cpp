#include "search.h"

#include "every_train.h"
#include "fit.h"
#include "gear_search.h"

#include <cmath>

SearchResult RunSearch(const SearchRequest& request) {
    if (request.method == SearchMethod::EveryTrain) {
        return FindEveryTrain(request.target, request.stock,
                              {request.tolerance.For(request.target), request.limit, request.fitMargin});
    }
    SearchResult result = FindGearTrains(request.target, request.stock);
    if (request.fitMargin) {
        KeepFittingTrains(result.solutions, *request.fitMargin);
    }
    return result;
}

Tolerance ToleranceKept(const SearchRequest& request) {
    return request.method == SearchMethod::EveryTrain ? request.tolerance
                                                      : Tolerance{kBisectionTolerance, false};
}

NearestTrains FindNearestTrains(const SearchRequest& request, std::size_t count) {
    const double reach = std::fabs(request.target) * kNearestReach;
    return {ToleranceKept(request),
            FindEveryTrain(request.target, request.stock, {reach, count, request.fitMargin}).solutions};
}

// The bisection search finds a target out of range when it lies below every
// ratio the stock makes or above every one, or is not a number.
std::string OutcomeSentence(const SearchResult& result, const SearchRequest& request) {
    switch (result.outcome) {
    case SearchOutcome::NoStock:
        return "no gears on hand";
    case SearchOutcome::OutOfRange:
        if (std::isnan(request.target)) {
            return "the target ratio is not a number";
        }
        return request.target < 1 ? "the target ratio is below every ratio the gears on hand make"
                                  : "the target ratio is above every ratio the gears on hand make";
    case SearchOutcome::Searched:
        break;
    }
    return {};
}
