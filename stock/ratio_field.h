#pragma once

#include <windows.h>

// Replacement procedure of the ratio field: key filter, recalculation on keys,
// and its own Copy/Paste menu.
LRESULT CALLBACK RatioFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
