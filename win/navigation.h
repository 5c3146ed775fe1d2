#pragma once

#include <windows.h>

#include <commctrl.h> // after <windows.h>, which it needs

// Buddy and acceleration of the solution up-down, once at window set-up.
void ConfigureNavigation(HWND mainWindow);

// UDN_DELTAPOS from the solution up-down: shows the solution it moves to.
void StepSolution(HWND mainWindow, const NMUPDOWN& step);

// An option box was clicked: shows the current solution again, focus to the ratio field.
void ShowCurrentSolutionAgain(HWND mainWindow);
