#include "request.h"

#include <utility>

SearchRequest LatheSearch(const Lathe& lathe, double target, TrainKind train, const SearchAsk& ask) {
    return {.target = target,
            .stock = lathe.stock,
            .method = ask.thread ? SearchMethod::EveryTrain : ask.method,
            .tolerance = ask.tolerance.value_or(ask.thread ? kThreadTolerance : Tolerance{}),
            .fitMargin = lathe.fitMargin,
            .train = train,
            .banjo = lathe.banjo,
            .count = ask.countSix || (train != TrainKind::Six && train != TrainKind::Any)};
}

std::optional<ChartRequest> LatheChart(const Lathe& lathe, std::vector<Pitch> pitches, TrainKind train,
                                       const std::optional<Tolerance>& tolerance) {
    if (!lathe.leadscrew) {
        return std::nullopt;
    }
    ChartRequest request{.lathe = {.pitch = Pitch{1, PitchUnit::Mm},
                                   .leadscrew = *lathe.leadscrew,
                                   .fixed = lathe.fixed,
                                   .dial = lathe.dial},
                         .pitches = std::move(pitches),
                         .search = LatheSearch(lathe, 0, train, {.tolerance = tolerance, .thread = true})};
    return request;
}
