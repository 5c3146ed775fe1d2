#pragma once

#include <windows.h>

#include <cstdint>

// Writes solution `index` (0-based) of the solution list into the result
// fields (its fitting arrangement while the fit setting is on), shows the
// navigation and updates the thread line; with an empty list blanks the
// fields and hides the navigation and the thread line.
void ShowSolution(HWND mainWindow, std::uint32_t index);
