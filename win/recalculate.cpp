// The recalculation: the window's inputs to a new solution list, solution 1 shown.
#include "recalculate.h"

#include "gear_set.h"
#include "number_text.h"
#include "program_state.h"
#include "resource.h"
#include "show_solution.h"

#include <commctrl.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The checked tooth counts, ascending.
std::vector<std::uint32_t> CheckedTeeth() {
    std::vector<std::uint32_t> teeth;
    teeth.reserve(kGearCount);
    for (int i = 0; i < kGearCount; ++i) {
        if (g_checkedGears[i]) {
            teeth.push_back(ToothOfIndex(i));
        }
    }
    return teeth;
}

double TargetRatio(HWND mainWindow) {
    char text[kRatioTextRead + 1] = {};
    GetDlgItemTextA(mainWindow, IDC_RATIO, text, sizeof text);
    return RatioFromText(text);
}

void BlankForOutOfRange(HWND mainWindow) {
    for (int id = IDC_FIRST_DRIVER; id <= IDC_ERROR; ++id) {
        SetDlgItemTextA(mainWindow, id, "");
    }
    ShowWindow(GetDlgItem(mainWindow, IDC_SOLUTION_UPDOWN), SW_HIDE);
    ShowWindow(GetDlgItem(mainWindow, IDC_SOLUTION_COUNTER), SW_HIDE);
}

// Range 1..count (the upper limit in the low word), position 1.
void ResetNavigation(HWND mainWindow, std::size_t count) {
    HWND upDown = GetDlgItem(mainWindow, IDC_SOLUTION_UPDOWN);
    SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(count), 1));
    SendMessageW(upDown, UDM_SETPOS, 0, 1);
}

} // namespace

void Recalculate(HWND mainWindow) {
    std::vector<SolutionRecord>().swap(g_solutionList); // empty, and its storage given back

    const std::vector<std::uint32_t> teeth = CheckedTeeth();
    if (!teeth.empty()) {
        SearchResult result = FindGearTrains(TargetRatio(mainWindow), teeth,
                                             [](std::uint32_t tooth) { return g_multiplicityTable[tooth]; });
        if (result.outcome == SearchOutcome::OutOfRange) {
            BlankForOutOfRange(mainWindow);
        }
        g_solutionList = std::move(result.solutions);
        if (result.outcome == SearchOutcome::Searched && result.candidateCount != 0) {
            ResetNavigation(mainWindow, g_solutionList.size());
        }
    }
    ShowSolution(mainWindow, 0);
}
