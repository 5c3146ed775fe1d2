#pragma once

#include <windows.h>

// Registers the main window class (strings 103 and 109 loaded first).
void RegisterMainWindowClass(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
