#pragma once

#include <windows.h>

// Replacement procedure of every gear box: a right-button press on a checked
// box opens the multiplicity dialog beside it.
LRESULT CALLBACK GearBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Dialog procedure of template 110.
INT_PTR CALLBACK MultiplicityDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
