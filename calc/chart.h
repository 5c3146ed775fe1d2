// Thread charts: for every pitch of a list, the best train that cuts it on the
// lathe, and which gear to buy next to improve the chart.
#pragma once

#include "better_kind.h"
#include "search.h"
#include "thread.h"
#include "train.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The ISO metric pitches from 0.2 to 6 mm.
std::vector<Pitch> MetricPitches();
// The usual inch threads from 4 to 80 TPI.
std::vector<Pitch> ImperialPitches();
// The usual modules of worms from 0.5 to 4: both series of ISO 54 from 1,
// and 0.5 to 0.9 in steps of 0.1 below (DIN 780).
std::vector<Pitch> ModulePitches();

// A chart as LatheChart (request.h) makes it.
struct ChartRequest {
    Thread lathe; // the leadscrew, fixed ratio and starts; each row puts its own pitch in
    std::vector<Pitch> pitches;
    // Each row's search, with the row's target: a thread's, by the complete
    // search within the tolerance (the thread's own unless another is given).
    SearchRequest search{.method = SearchMethod::EveryTrain, .tolerance = kThreadTolerance};
    std::uint32_t suggest = 0; // how many gears to buy to suggest
};

struct ChartRow {
    Thread thread;                         // the lathe's, with the row's pitch
    double target;                         // the target ratio
    std::optional<SolutionRecord> best;    // the every-train search's first train, if any is within tolerance
    std::optional<SolutionRecord> nearest; // without a best train: the nearest one outside tolerance, if any
    std::optional<BetterKind> betterKind;  // another kind's train that does better
};

// How well a chart is served: its rows with a train, the largest lead error
// among them in ppm (0 when there is none), and its total badness: the sum
// over the rows of log10(1 + |ppm|) of the row's best train, |ppm| rounded to
// 0.01 first so that float noise never orders two charts, and a row without a
// train counted as 100,000 ppm. Smaller is better: a chart whose threads are
// all close beats one with a few exact threads and some without a train.
struct ChartScore {
    unsigned rowsWithin = 0;
    double worstPpm = 0;
    double badness = 0;
};

struct GearSuggestion {
    std::uint32_t tooth;                   // one gear of this tooth count added to the stock
    ChartScore score;                      // the chart's score with it
    std::vector<std::size_t> broughtIn;    // the rows it brings within tolerance, by their place
    std::vector<std::size_t> stillOutside; // the rows still without a train within tolerance
};

struct Chart {
    std::vector<ChartRow> rows;
    ChartScore score;
    std::vector<GearSuggestion> suggestions; // by badness, then tooth count; only gears that lower it
};

// The chart of the request's pitches, each row with another kind of train
// where one does better, and request.suggest suggestions: one gear more of
// each tooth count from 16 to 165 not on hand, tried one at a time.
// beforeEachRow, when given, runs before each row's search: a thread that
// makes a chart in the background waits there while the user types.
Chart MakeChart(const ChartRequest& request, const std::function<void()>& beforeEachRow = {});
