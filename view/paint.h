#pragma once

#include <windows.h>

// Draws the gear diagram and the error gauge for the given error text into dc.
void PaintDiagramAndGauge(HDC dc, const char* errorText);

// WM_PAINT of the main window.
void PaintMainWindow(HWND mainWindow);

// Replacement procedure of the error field: invalidates the gauge on WM_SETTEXT.
LRESULT CALLBACK ErrorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
