#pragma once

#include "train_modes.h" // the modes the search runs with

#include <windows.h>

// Reads the gear boxes and the ratio field, runs the search, replaces the
// solution list, sets the solution up-down to 1..count and shows solution 1.
void Recalculate(HWND mainWindow);

// Recalculate for a key typed into the ratio field: the bisection search runs
// at once, but a complete search that the last answers do not hold goes to
// the search worker (search_worker.h), so that the keystroke does not wait
// for it; the window shows the last answers until it answers, and the thread
// line, which typing hides, goes at once. A later recalculation drops the
// answers on their way.
void RecalculateTyped(HWND mainWindow);

// WM_SEARCH_ANSWERED: the worker's answers, shown as Recalculate shows its
// own when they answer the last recalculation; dropped otherwise.
void TakeSearchAnswer(HWND mainWindow, WPARAM number, LPARAM answer);
