#pragma once

#include <windows.h>

// Creates the main window with every control, applies the command line's
// gear-set string, shows it and focuses the ratio field. Returns the main
// window, or nullptr when it cannot be created.
HWND SetUpWindow(HINSTANCE instance, int showCommand, const char* commandLine);
