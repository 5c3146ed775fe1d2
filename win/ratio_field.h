#pragma once

#include <windows.h>

// Replacement procedure of the ratio field: key filter, recalculation on keys,
// and its own Copy/Paste menu.
LRESULT CALLBACK RatioFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the keyboard focus to the main window's ratio field, so that typing
// always reaches it.
void FocusRatioField(HWND mainWindow);
