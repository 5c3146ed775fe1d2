#pragma once

#include <windows.h>

// Command 153: the gears dialog (template 132), modal over the main window. Its
// one field holds the ticked gears as a gear list; OK applies a typed list to
// the boxes and multiplicities and recalculates.
void OpenGearsDialog(HWND mainWindow);
