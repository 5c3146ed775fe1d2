#pragma once

#include <windows.h>

// Command 104: the About box (template 103), modal over the main window.
void OpenAboutBox(HWND mainWindow);
