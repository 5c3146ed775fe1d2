#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Writes solution `index` (0-based) of the solution list into the result
// fields (its fitting arrangement while the fit setting is on; no tooth counts
// while the train is drawn to scale, whose drawing it renews), shows the
// navigation and updates the thread line; with an empty list blanks the
// fields and hides the navigation and the thread line. Then ShowModes. The
// drawing window paints the train again.
void ShowSolution(HWND mainWindow, std::uint32_t index);

// The modes in force: the tooth fields only on the fixed diagram (with four
// gears and no banjo), the option boxes enabled only while they order the
// gears, and the mode line ("every train · fit · 6 gears") when any mode is
// not as at the start, at the right of the thread line's last row while the
// thread line leaves that row free.
void ShowModes(HWND mainWindow);

// The ratio field's text, as far as the ratio is read (kRatioTextRead): what
// the search takes, and what the thread line is shown for.
std::string RatioText(HWND mainWindow);
