#pragma once

#include <windows.h>

// Replacement procedure of every gear box: a right-button press on a checked
// box opens the multiplicity dialog (template 110) beside it.
LRESULT CALLBACK GearBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
