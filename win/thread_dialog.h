#pragma once

#include "thread.h"

#include <windows.h>

// Command 120: the thread dialog (template 130), modal over the main window.
// Its OK writes the thread's target ratio into the ratio field and
// recalculates, as a paste does.
void OpenThreadDialog(HWND mainWindow);

// What the dialog's OK does with a thread: remembers it, with its leadscrew
// and fixed ratio as the lathe's, writes its ratio into the ratio field and
// recalculates, so that the thread line shows.
void SetThread(HWND mainWindow, const Thread& thread);
