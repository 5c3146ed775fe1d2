#pragma once

#include <windows.h>

#include <string>

// The gear-set string of the main window's gear boxes (150 characters).
std::string GearSetOfBoxes(HWND mainWindow);

// Command 106: puts the gear-set string on the clipboard as CF_TEXT.
void CopyGearSet(HWND mainWindow);
