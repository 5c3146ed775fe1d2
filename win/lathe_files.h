// The File menu's lathe files: open, save, save as, the recent lathes, and the
// question before the open lathe's changes would be lost.
#pragma once

#include "lathe.h"

#include <windows.h>

#include <cstddef>
#include <string>

// Reads the lathe file at path. When it reads, the window shows it (without
// recalculating), it is the open lathe and the newest recent one, and the
// problem is empty; otherwise nothing changes.
LatheProblem TakeLatheFile(HWND mainWindow, const std::wstring& path);

// A message box that names the file, the line and what is wrong.
void ReportBadLathe(HWND mainWindow, const std::wstring& path, const LatheProblem& problem);

// A bare start opens the lathe last opened or saved, the first recent one.
// When that does not read, the thread line's rows say so with the file's name
// and its problem (no message box, so that a start without a display never
// waits), until the next input shows a result there; a file that is gone is
// dropped from the recent lathes.
void OpenLastLathe(HWND mainWindow);

// Commands 150, 151, 152 and 160 to 163. Opening asks first whether to save
// the open lathe's changes, then recalculates once.
void OpenLatheCommand(HWND mainWindow);
void SaveLatheCommand(HWND mainWindow);
void SaveLatheAsCommand(HWND mainWindow);
void OpenRecentLathe(HWND mainWindow, std::size_t index);

// While the open lathe has changes, asks "Save changes to NAME?" with Yes, No
// and Cancel. Returns whether the window may go on: nothing to save, saved,
// or No; not after Cancel or a save that failed.
bool OfferToSave(HWND mainWindow);
