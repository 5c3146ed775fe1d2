// Show solution: one record of the solution list into the seven result fields,
// and the thread line below the gear grid.
#include "show_solution.h"

#include "fit.h"
#include "number_text.h"
#include "program_state.h"
#include "resource.h"
#include "solution_texts.h"
#include "thread.h"

namespace {

bool BoxChecked(HWND mainWindow, int id) {
    return SendDlgItemMessageW(mainWindow, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ShowNavigation(HWND mainWindow, int showCommand) {
    ShowWindow(GetDlgItem(mainWindow, IDC_SOLUTION_UPDOWN), showCommand);
    ShowWindow(GetDlgItem(mainWindow, IDC_SOLUTION_COUNTER), showCommand);
}

void SetText(HWND mainWindow, int id, const std::string& text) {
    SetDlgItemTextA(mainWindow, id, text.c_str());
}

// Shown or hidden only when that changes: most keystrokes leave the line hidden.
void ShowThreadLine(HWND mainWindow, bool show) {
    HWND line = GetDlgItem(mainWindow, IDC_THREAD_LINE);
    const bool shown = (GetWindowLongPtrW(line, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != show) {
        ShowWindow(line, show ? SW_SHOW : SW_HIDE);
    }
}

// The lead the shown train cuts, while the ratio field still holds the text
// the thread dialog wrote.
void UpdateThreadLine(HWND mainWindow, const SolutionRecord& record, const char* ratioText) {
    const bool show = g_thread && !g_threadRatioText.empty() && g_threadRatioText == ratioText;
    if (show) {
        SetText(mainWindow, IDC_THREAD_LINE, DescribeThreadTrain(*g_thread, record));
    }
    ShowThreadLine(mainWindow, show);
}

} // namespace

void ShowSolution(HWND mainWindow, std::uint32_t index) {
    if (g_solutionList.empty()) {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
            SetDlgItemTextA(mainWindow, id, "");
        }
        ShowNavigation(mainWindow, SW_HIDE);
        ShowThreadLine(mainWindow, false);
        return;
    }
    // The callers keep the index inside the list; an index beyond it shows the last solution.
    const SolutionRecord& record =
        g_solutionList[index < g_solutionList.size() ? index : g_solutionList.size() - 1];
    ShowNavigation(mainWindow, SW_SHOW);

    const bool firstDriverSmaller = BoxChecked(mainWindow, IDC_FIRST_DRIVER_SMALLER);
    const bool firstDrivenLarger = BoxChecked(mainWindow, IDC_FIRST_DRIVEN_LARGER);
    char ratioText[kRatioTextRead + 1] = {};
    GetDlgItemTextA(mainWindow, IDC_RATIO, ratioText, sizeof ratioText);
    SolutionTexts texts = MakeSolutionTexts(record, ratioText, firstDriverSmaller, firstDrivenLarger);
    // Every train listed fits while the fit setting is on: the drawing shows how.
    if (const std::optional<std::uint32_t> margin = FitMarginInForce()) {
        if (const std::optional<Arrangement> gears = FitArrangement(record, *margin)) {
            PlaceArrangement(texts, *gears);
        }
    }

    SetText(mainWindow, IDC_FIRST_DRIVER, texts.firstDriver);
    SetText(mainWindow, IDC_SECOND_DRIVER, texts.secondDriver);
    SetText(mainWindow, IDC_FIRST_DRIVEN, texts.firstDriven);
    SetText(mainWindow, IDC_SECOND_DRIVEN, texts.secondDriven);
    SetText(mainWindow, IDC_ACHIEVED_RATIO, texts.achievedRatio);
    SetText(mainWindow, IDC_ERROR, texts.error);
    SetText(mainWindow, IDC_ZERO_COUNT, texts.zeroCount);
    UpdateThreadLine(mainWindow, record, ratioText);
}
