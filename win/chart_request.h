// The chart the main window's lathe makes: the one place that gathers it.
#pragma once

#include "chart.h"

#include <optional>
#include <vector>

// The chart request for the pitches on the window's lathe: the gears on hand,
// the leadscrew and fixed ratio, the fit, within the thread tolerance. None
// while the window has no leadscrew.
std::optional<ChartRequest> WindowChartRequest(const std::vector<Pitch>& pitches);
