#pragma once

#include <windows.h>

#include <string_view>

// Creates the main window with every control, applies the command line's
// gear-set string or opens the lathe file it names (at a bare start, the last
// lathe opened or saved), shows it and focuses the ratio field. Returns the
// main window, or nullptr when it cannot be created.
HWND SetUpWindow(HINSTANCE instance, int showCommand, std::wstring_view commandLine);
