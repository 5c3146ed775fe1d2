// The open lathe file and the window's settings: the lathe they make, putting
// a lathe into the window, and the caption that names it.
#pragma once

#include "lathe.h"

#include <windows.h>

#include <string>

// The lathe the window's settings make: the boxes' stock with the settings
// kept beside them (LatheState).
Lathe WindowLathe();

// Puts a lathe into the window: the boxes and multiplicities with their marks,
// and the lathe as the window's settings: the leadscrew and fixed ratio, the
// fit settings, the chart's list, the name and the banjo. A thread line for
// another leadscrew or fixed ratio no longer describes the field's ratio, so
// it is hidden. Nothing is recalculated.
void ShowLathe(HWND mainWindow, const Lathe& lathe);

// Whether the window's settings differ from the open lathe file's.
bool LatheDiffersFromFile();

// What the window calls the open lathe: its name, or else its file's name
// without the extension.
std::wstring LatheName();

// Called after every change of the lathe: the caption, "Tandrel" until a
// lathe is opened or saved, then "Tandrel - NAME", with " *" while the
// window's settings differ from the file's; and the open chart window, which
// follows the lathe, is told.
void LatheChanged(HWND mainWindow);
