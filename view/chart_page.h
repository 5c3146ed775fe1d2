// The printable thread chart: one self-contained HTML page (inline CSS and
// SVG, no scripts, nothing fetched) that the chart window prints and exports
// and the tool writes with --format html.
#pragma once

#include "chart.h"

#include <string>

// What the page says of itself beyond the chart: the lathe's name (empty
// when it has none) and the date it was made, as the caller gives it.
struct ChartPageHeading {
    std::string latheName;
    std::string date; // "2024-05-01"
};

// The page: a heading with the lathe's name, leadscrew, fixed ratio and date;
// the gears on hand as a gear list, the tolerance, the fit and banjo, the
// summary; then a table with a row per thread, the rows outside tolerance
// marked with their nearest train; then a drawing of each row's train,
// three in a row, captioned with its thread and its gears. Every text is
// escaped. It prints in black and white on A4 and Letter, no row or drawing
// split across pages.
std::string ChartPage(const ChartRequest& request, const Chart& chart, const ChartPageHeading& heading);
