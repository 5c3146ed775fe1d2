// The window's answers to a question: on its own thread, or for a typed ratio
// whose complete search would hold up the keystroke, on a worker thread that
// posts them back to the main window.
#pragma once

#include "program_state.h"

#include <windows.h>

#include <memory>

// The search's answers, and while the thread line shows, the nearest train
// when none was found and another kind that does better.
WindowAnswer AnswerOf(const WindowQuestion& question);

// Asks for the question's answers under the number g_search.requested: at
// once when no worker runs, otherwise as soon as the running one ends (a
// later question replacing this one). The worker posts them to the main
// window as WM_SEARCH_ANSWERED, wParam the number, lParam the WindowAnswer.
// False when no worker could be started: the caller answers it itself.
bool AskWorker(HWND mainWindow, const WindowQuestion& question);

// The answers of a WM_SEARCH_ANSWERED message when they answer the last
// recalculation; none for an earlier one, whose answers are freed. Starts the
// question that waited, or where no worker can be started, answers it here.
std::unique_ptr<WindowAnswer> TakeWorkersAnswer(HWND mainWindow, WPARAM number, LPARAM answer);

// Frees the answers posted to the main window and not yet taken, as it closes.
void DropPostedAnswers(HWND mainWindow);
