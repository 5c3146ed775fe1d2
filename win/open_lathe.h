// The open lathe file and the window's settings: the lathe they make, putting
// a lathe into the window, and the caption that names it.
#pragma once

#include "lathe.h"

#include <windows.h>

#include <string>

// The lathe the window's settings make: the open file's name, the boxes'
// stock, the thread dialog's leadscrew and fixed ratio, the fit margin in
// force, the open file's banjo, the chart window's own pitch list.
Lathe WindowLathe();

// Puts a lathe's settings into the window: the boxes and multiplicities with
// their marks, the leadscrew and fixed ratio, the fit settings, the chart's list. A thread line
// for another leadscrew or fixed ratio no longer describes the field's ratio,
// so it is hidden. Nothing is recalculated.
void ShowLathe(HWND mainWindow, const Lathe& lathe);

// Whether the window's settings differ from the open lathe file's.
bool LatheChanged();

// What the window calls the open lathe: its name, or else its file's name
// without the extension.
std::wstring LatheName();

// "Tandrel" until a lathe is opened or saved, then "Tandrel - NAME", with " *"
// while the window's settings differ from the file's. Called after every
// change of the lathe, it also tells the open chart window, which follows it.
void ShowCaption(HWND mainWindow);
