// The recalculation: the window's inputs to a new solution list, solution 1 shown.
#include "recalculate.h"

#include "every_train.h"
#include "fit.h"
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

// The bisection search, or the every-train search (tolerance 0.002, the best
// 100) while Every train is checked; either keeps only the fitting trains
// while the fit setting is on. The every-train search has no out-of-range outcome.
SearchResult Search(HWND mainWindow, double target, const std::vector<std::uint32_t>& teeth) {
    const MultiplicityLookup multiplicity = [](std::uint32_t tooth) { return g_multiplicityTable[tooth]; };
    const std::optional<std::uint32_t> fitMargin = FitMarginInForce();
    if (EveryTrainChecked(mainWindow)) {
        EveryTrainOptions options;
        options.fitMargin = fitMargin;
        EveryTrainResult every = FindEveryTrain(target, teeth, multiplicity, options);
        return {every.outcome, static_cast<unsigned>(every.candidateCount), std::move(every.solutions)};
    }
    SearchResult result = FindGearTrains(target, teeth, multiplicity);
    if (fitMargin) {
        KeepFittingTrains(result.solutions, *fitMargin);
    }
    return result;
}

} // namespace

bool EveryTrainChecked(HWND mainWindow) {
    const UINT state = GetMenuState(GetMenu(mainWindow), IDM_EVERY_TRAIN, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

std::optional<std::uint32_t> FitMarginInForce() {
    return g_onlyFittingTrains ? std::optional<std::uint32_t>(g_fitMargin) : std::nullopt;
}

void Recalculate(HWND mainWindow) {
    std::vector<SolutionRecord>().swap(g_solutionList); // empty, and its storage given back

    const std::vector<std::uint32_t> teeth = CheckedTeeth();
    if (!teeth.empty()) {
        SearchResult result = Search(mainWindow, TargetRatio(mainWindow), teeth);
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
