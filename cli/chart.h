// Thread charts: for every pitch of a list, the best train that cuts it on
// the leadscrew, and which gear to buy next to improve the chart.
#pragma once

#include "gear_search.h"
#include "thread.h"
#include "cli_options.h"

#include <cstdint>
#include <optional>
#include <vector>

// The ISO metric pitches from 0.2 to 6 mm.
std::vector<Pitch> MetricPitches();
// The usual inch threads from 4 to 80 TPI.
std::vector<Pitch> ImperialPitches();

struct ChartRow {
    Pitch pitch;
    double target;                      // the target ratio
    std::optional<SolutionRecord> best; // the every-train search's first train, if any is within tolerance
};

// How well a chart is served: its rows with a train, and the largest lead
// error among them in ppm (0 when there is none).
struct ChartScore {
    unsigned rowsWithin = 0;
    double worstPpm = 0;
};

struct GearSuggestion {
    std::uint32_t tooth; // one gear of this tooth count added to the stock
    ChartScore score;    // the chart's score with it
};

struct Chart {
    std::vector<ChartRow> rows;
    ChartScore score;
    std::vector<GearSuggestion> suggestions; // best first; only gears that improve the chart
};

// The chart of request.chartPitches on the request's leadscrew, fixed ratio,
// stock, tolerance and fit margin, with request.suggest suggestions.
Chart MakeChart(const CliRequest& request);
