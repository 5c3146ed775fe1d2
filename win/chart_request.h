// The chart the main window's lathe makes: the one place that gathers it.
#pragma once

#include "chart.h"

#include <windows.h>

#include <optional>
#include <vector>

// The chart request for the pitches on the main window's lathe: the gears on
// hand, the leadscrew and fixed ratio, the fit, the banjo and the kind of
// train, within the thread tolerance. None while the window has no leadscrew.
std::optional<ChartRequest> WindowChartRequest(HWND mainWindow, const std::vector<Pitch>& pitches);
