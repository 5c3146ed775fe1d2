#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// Reads the gear boxes and the ratio field, runs the search, replaces the
// solution list, sets the solution up-down to 1..count and shows solution 1.
void Recalculate(HWND mainWindow);

// Whether Tools, Every train is checked: Recalculate then runs the every-train search.
bool EveryTrainChecked(HWND mainWindow);

// The margin in teeth that every train listed must fit with, or none while
// "Only trains that fit" is off.
std::optional<std::uint32_t> FitMarginInForce();
