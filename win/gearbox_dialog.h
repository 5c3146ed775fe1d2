#pragma once

#include <windows.h>

// Command 155: the gearbox dialog (template 138), modal over the main window.
// It edits the lathe's quick-change gearbox: its settings, one "name = value"
// a line, and the plate's gears. An empty list takes the gearbox away; OK
// recalculates and marks the lathe changed, Cancel or Escape changes nothing.
void OpenGearboxDialog(HWND mainWindow);
