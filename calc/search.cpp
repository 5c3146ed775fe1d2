#include "search.h"

#include "every_train.h"
#include "fit.h"
#include "gear_search.h"

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
