// The chart's rows, made off the user interface's thread: a worker thread
// makes the chart and posts it back to the chart window.
#pragma once

#include "chart.h"

#include <windows.h>

#include <memory>

// What a worker posts to the chart window as WM_CHART_MADE, wParam the
// request's number, lParam the MadeChart, for TakeChart.
struct MadeChart {
    ChartRequest request;
    Chart chart;
};

// Asks for the request's chart: at once when no worker runs, otherwise as
// soon as the running one ends (a later request replacing this one).
void RequestChart(HWND chartWindow, const ChartRequest& request);

// The chart of a WM_CHART_MADE message when it answers the last request; none
// for an earlier one, whose chart is freed. Starts the request that waited.
std::unique_ptr<MadeChart> TakeChart(HWND chartWindow, WPARAM number, LPARAM made);

// Frees the charts posted to the window and not yet taken, as it closes.
void DropPostedCharts(HWND chartWindow);

// The main window is working on the user's input: a chart being made waits
// until it has had none for a moment (Recalculate calls it as it starts and
// as it ends).
void HoldChartForInput();
