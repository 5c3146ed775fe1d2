// The chart shown in the chart window, as a file: an HTML page or CSV, saved
// where the user says, or a page opened in the default browser to print.
#pragma once

#include <windows.h>

#include <string>

// Writes the chart shown to path atomically: CSV for a path ending in .csv
// (in any case), the HTML page otherwise. Returns what went wrong, or an
// empty text when the file was written.
std::wstring WriteChartFile(const std::wstring& path);

// Export...: a save dialog offering both kinds, then WriteChartFile; the
// window's status text tells where the file went, or why it did not.
void ExportChart(HWND chartWindow);

// Print...: the page written to a file in the temporary folder and opened
// with the default browser, whose print dialog prints it; the status text says so.
void PrintChart(HWND chartWindow);
