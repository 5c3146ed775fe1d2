// The tooltips of the ratio field and the result fields: what each one holds.
#pragma once

#include <windows.h>

// Creates one tooltip control, owned by the main window, with a tool for the
// ratio field, the achieved ratio, the error, the zero count, the counter and
// the arrows. Each tool watches its control's mouse (TTF_SUBCLASS); nothing
// moves or changes size.
void AddTooltips(HWND mainWindow);
