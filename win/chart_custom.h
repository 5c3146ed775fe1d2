// The chart window's Custom... dialog: the chart's own pitches as a list,
// "M6, 1/2-13 UNC, 1.5mm", which the lathe file keeps.
#pragma once

#include <windows.h>

// Modal over the chart window. OK with a list that reads stores it as the
// chart's pitches and returns true; a list that does not read keeps the
// dialog open and says why; Cancel changes nothing and returns false.
bool AskForCustomPitches(HWND chartWindow);
