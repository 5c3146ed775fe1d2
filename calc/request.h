// One request, assembled once: the search and the chart that a lathe asks
// for, made the same way for every front end from the lathe (its gears, fit
// margin and banjo; for a chart its leadscrew and fixed ratio), the target and
// the kind of train. The window passes the lathe its settings make, the tool
// the lathe its options make over a lathe file's values.
#pragma once

#include "chart.h"
#include "lathe.h"
#include "search.h"
#include "thread.h"

#include <optional>
#include <vector>

// What a front end asks beside the lathe, the target and the kind of train.
struct SearchAsk {
    SearchMethod method = SearchMethod::Bisection;
    std::optional<Tolerance> tolerance{}; // as given; none: 0.002, or for a thread kThreadTolerance
    // The target comes from a thread, which is judged as a thread in the window
    // and the tool alike: by the complete search of the kind, whatever method
    // was asked for, within the tolerance given or else the thread's own. The
    // bisection's absolute 0.002 would pass a fine thread's train whose lead is
    // percents off; a plain ratio keeps its search.
    bool thread = false;
    // Six-gear trains (six or any kind) counted too, which takes seconds on
    // many gears; simple and four-gear trains are always counted, in milliseconds.
    bool countSix = false;
    // Behind the lathe's gearbox, only the plate's gears: which setting comes
    // nearest without changing the change gears.
    bool plateGears = false;
};

// The search for the target with the lathe's gears, fit margin and banjo.
// A thread is searched behind the lathe's gearbox, where it has one: each
// setting's target on the lathe's leadscrew and fixed ratio; a plain ratio
// stays the change gears' own. The limit is SearchRequest's default.
SearchRequest LatheSearch(const Lathe& lathe, double target, TrainKind train, const SearchAsk& ask = {});

// The chart of the pitches on the lathe's leadscrew and fixed ratio, each
// row searched as a thread (LatheSearch) within the tolerance given or the
// thread's own. None without a leadscrew.
std::optional<ChartRequest> LatheChart(const Lathe& lathe, std::vector<Pitch> pitches, TrainKind train,
                                       const std::optional<Tolerance>& tolerance = std::nullopt,
                                       bool plateGears = false);
