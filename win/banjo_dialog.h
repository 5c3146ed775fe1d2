#pragma once

#include <windows.h>

// Command 154: the banjo dialog (template 137), modal over the main window.
// It edits every figure of the lathe's banjo, gives a lathe without one a
// banjo, or takes it away ("No banjo"); OK recalculates and marks the lathe
// changed, Cancel or Escape changes nothing.
void OpenBanjoDialog(HWND mainWindow);
