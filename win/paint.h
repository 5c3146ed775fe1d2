#pragma once

#include <windows.h>

// Draws the gear diagram and the error gauge for the error field's current
// text into dc, and leaves dc as it found it. WM_PAINT and WM_PRINTCLIENT both
// paint through it.
void PaintMainWindow(HWND mainWindow, HDC dc);

// Replacement procedure of the error field: invalidates the gauge on WM_SETTEXT.
LRESULT CALLBACK ErrorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
