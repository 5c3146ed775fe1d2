// Show solution: one record of the solution list into the seven result fields.
#include "show_solution.h"

#include "number_text.h"
#include "program_state.h"
#include "resource.h"
#include "solution_texts.h"

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

} // namespace

void ShowSolution(HWND mainWindow, std::uint32_t index) {
    if (g_solutionList.empty()) {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
            SetDlgItemTextA(mainWindow, id, "");
        }
        ShowNavigation(mainWindow, SW_HIDE);
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
    const SolutionTexts texts = MakeSolutionTexts(record, ratioText, firstDriverSmaller, firstDrivenLarger);

    SetText(mainWindow, IDC_FIRST_DRIVER, texts.firstDriver);
    SetText(mainWindow, IDC_SECOND_DRIVER, texts.secondDriver);
    SetText(mainWindow, IDC_FIRST_DRIVEN, texts.firstDriven);
    SetText(mainWindow, IDC_SECOND_DRIVEN, texts.secondDriven);
    SetText(mainWindow, IDC_ACHIEVED_RATIO, texts.achievedRatio);
    SetText(mainWindow, IDC_ERROR, texts.error);
    SetText(mainWindow, IDC_ZERO_COUNT, texts.zeroCount);
}
