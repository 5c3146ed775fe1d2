// Replacement procedures: the control's previous procedure is kept in its
// user-data slot, and each replacement reads it from there once.
#pragma once

#include <windows.h>

// Sets the control's window procedure to replacement and stores the previous
// one in the control's user-data slot.
void InstallReplacement(HWND control, WNDPROC replacement);

// The kept procedure of a replacement: read from the control's user-data slot
// into kept on the first call, then returned unchanged.
WNDPROC KeptProcedure(HWND control, WNDPROC& kept);
