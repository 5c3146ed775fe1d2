#pragma once

#include "train_modes.h" // the modes the search runs with

#include <windows.h>

// Reads the gear boxes and the ratio field, runs the search, replaces the
// solution list, sets the solution up-down to 1..count and shows solution 1.
void Recalculate(HWND mainWindow);
