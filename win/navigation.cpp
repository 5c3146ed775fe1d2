// Stepping through the solution list with the solution up-down, and showing
// the current solution again when an option box changes the gears' order.
#include "navigation.h"

#include "program_state.h"
#include "ratio_field.h"
#include "resource.h"
#include "show_solution.h"

void ConfigureNavigation(HWND mainWindow) {
    HWND upDown = GetDlgItem(mainWindow, IDC_SOLUTION_UPDOWN);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(mainWindow, IDC_SOLUTION_COUNTER)),
                 0);
    // Every step is one solution, however long an arrow is held.
    UDACCEL oneAtATime = {0, 1};
    SendMessageW(upDown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&oneAtATime));
}

// Runs before the up-down moves: shows the solution it is about to move to.
// A step down at position 1 shows the first solution again; steps past the
// upper end show nothing.
void StepSolution(HWND mainWindow, const NMUPDOWN& step) {
    if (step.iDelta == 1) {
        if (static_cast<unsigned>(step.iPos) < g_solutionList.size()) {
            ShowSolution(mainWindow, static_cast<std::uint32_t>(step.iPos));
        }
    } else if (step.iDelta == -1) {
        if (step.iPos > 1) {
            ShowSolution(mainWindow, static_cast<std::uint32_t>(step.iPos - 2));
        } else if (step.iPos == 1) {
            ShowSolution(mainWindow, 0);
        }
    }
}

void ShowCurrentSolutionAgain(HWND mainWindow) {
    // The position is the low word; the high word only flags an unreadable buddy text.
    const LRESULT answer = SendDlgItemMessageW(mainWindow, IDC_SOLUTION_UPDOWN, UDM_GETPOS, 0, 0);
    const int position = static_cast<short>(LOWORD(answer));
    ShowSolution(mainWindow, position - 1 > 0 ? static_cast<std::uint32_t>(position - 1) : 0);
    FocusRatioField(mainWindow);
}
