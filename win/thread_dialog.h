#pragma once

#include <windows.h>

// Command 120: the thread dialog (template 130), modal over the main window.
// Its OK writes the thread's target ratio into the ratio field and
// recalculates, as a paste does.
void OpenThreadDialog(HWND mainWindow);
