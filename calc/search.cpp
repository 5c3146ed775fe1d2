#include "search.h"

#include "every_train.h"
#include "gear_search.h"
#include "mount.h"
#include "simple_train.h"
#include "six_gear.h"

#include <algorithm>
#include <cmath>

bool IsComplete(const SearchRequest& request) {
    return request.method == SearchMethod::EveryTrain || request.train != TrainKind::Compound;
}

namespace {

// Every kind's first trains, merged in AnyBefore's order with the tolerance
// `order` (the request's own, or the one a search for the nearest trains kept).
SearchResult FindAnyTrains(const SearchRequest& request, const EveryTrainOptions& options, double order) {
    SearchResult all{SearchOutcome::NoStock, 0, {}};
    for (const auto find : {FindSimpleTrains, FindEveryTrain, FindSixGearTrains}) {
        SearchResult part = find(request.target, request.stock, options);
        all.outcome = part.outcome; // NoStock for one search, NoStock for all
        all.candidateCount += part.candidateCount;
        all.trainCount += part.trainCount;
        all.solutions.insert(all.solutions.end(), part.solutions.begin(), part.solutions.end());
    }
    std::sort(all.solutions.begin(), all.solutions.end(),
              [order](const SolutionRecord& x, const SolutionRecord& y) { return AnyBefore(x, y, order); });
    if (request.limit != 0 && all.solutions.size() > request.limit) {
        all.solutions.resize(request.limit);
    }
    return all;
}

SearchResult Run(const SearchRequest& request, double anyOrder) {
    if (!IsComplete(request)) {
        SearchResult result = FindGearTrains(request.target, request.stock);
        if (const std::optional<MountRule> rule = FitRule(request.fitMargin, request.banjo)) {
            std::erase_if(result.solutions, [&](const SolutionRecord& train) {
                return !MountArrangement(train.driver1, train.driver2, train.driven1, train.driven2, *rule);
            });
        }
        return result;
    }
    const EveryTrainOptions options{request.tolerance.For(request.target), request.limit, request.fitMargin,
                                    request.banjo, request.count};
    switch (request.train) {
    case TrainKind::Simple:
        return FindSimpleTrains(request.target, request.stock, options);
    case TrainKind::Compound:
        return FindEveryTrain(request.target, request.stock, options);
    case TrainKind::Six:
        return FindSixGearTrains(request.target, request.stock, options);
    case TrainKind::Any:
        break;
    }
    return FindAnyTrains(request, options, anyOrder);
}

} // namespace

SearchResult RunSearch(const SearchRequest& request) {
    return Run(request, request.tolerance.For(request.target));
}

bool AnyBefore(const SolutionRecord& x, const SolutionRecord& y, double tolerance) {
    const auto key = [tolerance](const SolutionRecord& train) {
        return train.error + tolerance * (static_cast<double>(train.gears) - 2) / 20;
    };
    const double kx = key(x);
    const double ky = key(y);
    return kx < ky || (kx == ky && TrainBefore(x, y));
}

Tolerance ToleranceKept(const SearchRequest& request) {
    return IsComplete(request) ? request.tolerance : Tolerance{kBisectionTolerance, false};
}

NearestTrains FindNearestTrains(const SearchRequest& request, std::size_t count) {
    SearchRequest near = request;
    near.method = SearchMethod::EveryTrain;
    near.tolerance = {std::fabs(request.target) * kNearestReach, false};
    near.limit = count;
    near.count = false;
    const Tolerance kept = ToleranceKept(request);
    return {kept, Run(near, kept.For(request.target)).solutions}; // kinds ordered as the search kept them
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
