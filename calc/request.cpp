#include "request.h"

#include <utility>

SearchRequest LatheSearch(const Lathe& lathe, double target, TrainKind train, const SearchAsk& ask) {
    std::optional<BoxSettings> gearbox;
    if (ask.thread && lathe.gearbox) {
        gearbox = BoxSettingsOf(*lathe.gearbox, lathe.leadscrew.value_or(Pitch{1, PitchUnit::Mm}),
                                lathe.fixed, ask.plateGears);
    }
    return {.target = target,
            .stock = lathe.stock,
            .method = ask.thread ? SearchMethod::EveryTrain : ask.method,
            .tolerance = ask.tolerance.value_or(ask.thread ? kThreadTolerance : Tolerance{}),
            .fitMargin = lathe.fitMargin,
            .train = train,
            .banjo = lathe.banjo,
            .count = ask.countSix || (train != TrainKind::Six && train != TrainKind::Any),
            .gearbox = std::move(gearbox)};
}

std::optional<ChartRequest> LatheChart(const Lathe& lathe, std::vector<Pitch> pitches, TrainKind train,
                                       const std::optional<Tolerance>& tolerance, bool plateGears) {
    if (!lathe.leadscrew) {
        return std::nullopt;
    }
    ChartRequest request;
    request.lathe = {.pitch = Pitch{1, PitchUnit::Mm},
                     .leadscrew = *lathe.leadscrew,
                     .fixed = lathe.fixed,
                     .dial = lathe.dial};
    request.pitches = std::move(pitches);
    request.search =
        LatheSearch(lathe, 0, train, {.tolerance = tolerance, .thread = true, .plateGears = plateGears});
    return request;
}
