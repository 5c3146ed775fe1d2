#pragma once

#include <windows.h>

#include <string>

// Replacement procedure of the ratio field: key filter, recalculation on keys,
// and its own Copy/Paste menu.
LRESULT CALLBACK RatioFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the ratio field's text and recalculates: what a paste does, and
// what the thread dialog's OK does with the ratio it computes.
void WriteRatioField(HWND mainWindow, const std::string& text);

// Gives the keyboard focus to the main window's ratio field, so that typing
// always reaches it.
void FocusRatioField(HWND mainWindow);
