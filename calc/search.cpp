#include "search.h"

#include "every_train.h"
#include "gear_search.h"
#include "mount.h"
#include "simple_train.h"
#include "six_gear.h"

#include <algorithm>

bool IsComplete(const SearchRequest& request) {
    return request.method == SearchMethod::EveryTrain || request.train != TrainKind::Compound;
}

SearchResult RunSearch(const SearchRequest& request) {
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
    SearchResult all{SearchOutcome::NoStock, 0, {}};
    for (const auto find : {FindSimpleTrains, FindEveryTrain, FindSixGearTrains}) {
        SearchResult part = find(request.target, request.stock, options);
        all.outcome = part.outcome; // NoStock for one search, NoStock for all
        all.candidateCount += part.candidateCount;
        all.trainCount += part.trainCount;
        const auto middle =
            all.solutions.insert(all.solutions.end(), part.solutions.begin(), part.solutions.end());
        std::inplace_merge(all.solutions.begin(), middle, all.solutions.end(), TrainBefore);
    }
    if (request.limit != 0 && all.solutions.size() > request.limit) {
        all.solutions.resize(request.limit);
    }
    return all;
}
