// Show solution: one record of the solution list into the seven result fields,
// and the thread line below the gear grid: the shown train's lead, or the
// nearest train when none was found.
#include "show_solution.h"

#include "fit.h"
#include "number_text.h"
#include "program_state.h"
#include "resource.h"
#include "solution_texts.h"
#include "thread.h"
#include "wide_text.h"

#include <string>

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

// The thread line's text is the core's UTF-8 ("µm").
void SetThreadLine(HWND mainWindow, const std::optional<std::string>& line) {
    if (line) {
        SetDlgItemTextW(mainWindow, IDC_THREAD_LINE, WideFromUtf8(*line).c_str());
    }
    ShowThreadLine(mainWindow, line.has_value());
}

std::string RatioText(HWND mainWindow) {
    char ratioText[kRatioTextRead + 1] = {};
    GetDlgItemTextA(mainWindow, IDC_RATIO, ratioText, sizeof ratioText);
    return ratioText;
}

// The texts of a train as the window shows it: in the option boxes' order, or
// as it fits while the fit setting is on (every train listed fits then).
SolutionTexts ShownTexts(HWND mainWindow, const SolutionRecord& record, const std::string& ratioText) {
    SolutionTexts texts =
        MakeSolutionTexts(record, ratioText, BoxChecked(mainWindow, IDC_FIRST_DRIVER_SMALLER),
                          BoxChecked(mainWindow, IDC_FIRST_DRIVEN_LARGER));
    if (const std::optional<std::uint32_t> margin = FitMarginInForce()) {
        if (const std::optional<Arrangement> gears = FitArrangement(record, *margin)) {
            PlaceArrangement(texts, *gears);
        }
    }
    return texts;
}

// No train: while the thread line shows, it names the nearest train, its gears as they would show.
void ShowNoTrain(HWND mainWindow) {
    const std::string ratioText = RatioText(mainWindow);
    const std::optional<Thread> thread = ThreadOfLine(ratioText);
    if (!thread || !g_noTrain) {
        SetThreadLine(mainWindow, std::nullopt);
        return;
    }
    std::string gears;
    if (!g_noTrain->trains.empty()) {
        const SolutionTexts texts = ShownTexts(mainWindow, g_noTrain->trains.front(), ratioText);
        gears =
            texts.firstDriver + " " + texts.firstDriven + " " + texts.secondDriver + " " + texts.secondDriven;
    }
    SetThreadLine(mainWindow, DescribeNoTrain(*thread, *g_noTrain, gears));
}

} // namespace

void ShowSolution(HWND mainWindow, std::uint32_t index) {
    if (g_solutionList.empty()) {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
            SetDlgItemTextA(mainWindow, id, "");
        }
        ShowNavigation(mainWindow, SW_HIDE);
        ShowNoTrain(mainWindow);
        return;
    }
    // The callers keep the index inside the list; an index beyond it shows the last solution.
    const SolutionRecord& record =
        g_solutionList[index < g_solutionList.size() ? index : g_solutionList.size() - 1];
    ShowNavigation(mainWindow, SW_SHOW);

    const std::string ratioText = RatioText(mainWindow);
    const SolutionTexts texts = ShownTexts(mainWindow, record, ratioText);

    SetText(mainWindow, IDC_FIRST_DRIVER, texts.firstDriver);
    SetText(mainWindow, IDC_SECOND_DRIVER, texts.secondDriver);
    SetText(mainWindow, IDC_FIRST_DRIVEN, texts.firstDriven);
    SetText(mainWindow, IDC_SECOND_DRIVEN, texts.secondDriven);
    SetText(mainWindow, IDC_ACHIEVED_RATIO, texts.achievedRatio);
    SetText(mainWindow, IDC_ERROR, texts.error);
    SetText(mainWindow, IDC_ZERO_COUNT, texts.zeroCount);
    // The lead the shown train cuts, while the ratio field still holds the text the thread dialog wrote.
    const std::optional<Thread> thread = ThreadOfLine(ratioText);
    SetThreadLine(mainWindow, thread ? std::optional(DescribeThreadTrain(*thread, record)) : std::nullopt);
}
