#pragma once

#include <windows.h>

#include <cstdint>

// Writes solution `index` (0-based) of the solution list into the result
// fields and shows the navigation; with an empty list blanks them and hides it.
void ShowSolution(HWND mainWindow, std::uint32_t index);
