// The chart window: a modeless, resizable window owned by the main window
// that lists a thread chart of the main window's lathe, with a drop-down of
// pitch lists, a summary line, and Export, Print and Close. It follows the
// lathe: on every change of it (WM_CHART_FOLLOW, from LatheChanged) it makes
// the chart again, off the user interface's thread (chart_worker.h).
#pragma once

#include <windows.h>

// Command 180: opens the chart window on the metric chart, or brings it forward when open.
void OpenChartWindow(HWND mainWindow);
