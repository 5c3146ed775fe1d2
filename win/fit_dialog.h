#pragma once

#include <windows.h>

// Command 122: the fit dialog (template 131), modal over the main window.
// Its OK stores whether only fitting trains are listed, and the margin, and
// recalculates.
void OpenFitDialog(HWND mainWindow);
