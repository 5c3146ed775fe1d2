// The recalculation: the window's inputs to a new solution list, solution 1 shown.
#include "recalculate.h"

#include "better_kind.h"
#include "chart_worker.h"
#include "number_text.h"
#include "open_lathe.h"
#include "program_state.h"
#include "request.h"
#include "resource.h"
#include "search.h"
#include "search_worker.h"
#include "show_solution.h"
#include "train_modes.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace {

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

// The bisection search, or the every-train search (the best 100 within 0.002)
// while Every train is checked; simple and six-gear trains always by their
// complete searches, without the counts that the window never shows. While
// the thread line shows, the search the core gives a thread, whatever Every
// train says. Each keeps only the fitting trains while the fit setting is on,
// by the banjo's geometry when the lathe has one.
SearchRequest WindowSearch(HWND mainWindow, const std::string& ratioText) {
    SearchRequest request = LatheSearch(
        WindowLathe(), RatioFromText(ratioText), TrainKindChecked(mainWindow),
        {.method = EveryTrainChecked(mainWindow) ? SearchMethod::EveryTrain : SearchMethod::Bisection,
         .thread = ThreadOfLine(ratioText).has_value()});
    request.count = false;
    return request;
}

// The last answers into the solution list and the thread line, solution 1 shown.
void ShowLastAnswer(HWND mainWindow) {
    const SearchResult& result = g_lastAnswer->result;
    if (result.outcome == SearchOutcome::OutOfRange) {
        BlankForOutOfRange(mainWindow);
    }
    g_solutionList = result.solutions;
    g_threadLine.noTrain = g_lastAnswer->noTrain;
    g_threadLine.betterKind = g_lastAnswer->betterKind;
    // A complete search without its counts reports no candidates, only its trains.
    if (result.outcome == SearchOutcome::Searched &&
        (result.candidateCount != 0 || !g_solutionList.empty())) {
        ResetNavigation(mainWindow, g_solutionList.size());
    }
    ShowSolution(mainWindow, 0);
}

void EmptyLists() {
    std::vector<SolutionRecord>().swap(g_solutionList); // empty, and its storage given back
    g_threadLine.noTrain.reset();
    g_threadLine.betterKind.reset();
}

// Every recalculation has the next number: the worker's answers on their way
// are for an earlier question now, and the question waiting for it is dropped.
void NumberRecalculation() {
    ++g_search.requested;
    g_search.asked.reset();
    g_search.waiting.reset();
}

// A recalculation: typed, a complete search that the last answers do not hold
// goes to the worker, and the window shows the last answers until the new
// ones come. Only the thread line, which typing hides, goes at once.
void Recalculate(HWND mainWindow, bool typed) {
    // With no gear on hand the ratio field is not read.
    if (std::find(g_checkedGears.begin(), g_checkedGears.end(), true) == g_checkedGears.end()) {
        NumberRecalculation();
        EmptyLists();
        ShowSolution(mainWindow, 0);
        return;
    }
    const std::string ratioText = RatioText(mainWindow);
    const WindowQuestion question{WindowSearch(mainWindow, ratioText), ThreadOfLine(ratioText).has_value()};
    if (typed && g_search.asked == question) {
        return; // the worker is answering it already
    }
    NumberRecalculation();
    if (!g_lastAnswer || !(g_lastAnswer->question == question)) {
        if (typed && IsComplete(question.request) && AskWorker(mainWindow, question)) {
            g_search.asked = question;
            if (g_lastAnswer && g_lastAnswer->question.threadLine) {
                ShowSolution(mainWindow, static_cast<std::uint32_t>(ShownIndex(mainWindow)));
            }
            return;
        }
        EmptyLists();
        g_lastAnswer = AnswerOf(question);
    }
    ShowLastAnswer(mainWindow);
}

} // namespace

// A keystroke recalculates twice, first with the text as it was before the
// character goes in: that question is the previous one's, and its answers are
// taken again rather than searched for again.
void Recalculate(HWND mainWindow) {
    HoldChartForInput();
    Recalculate(mainWindow, false);
    HoldChartForInput(); // and through the repaint that follows
}

void RecalculateTyped(HWND mainWindow) {
    HoldChartForInput();
    Recalculate(mainWindow, true);
    HoldChartForInput();
}

void TakeSearchAnswer(HWND mainWindow, WPARAM number, LPARAM answer) {
    std::unique_ptr<WindowAnswer> taken = TakeWorkersAnswer(mainWindow, number, answer);
    if (!taken) {
        return;
    }
    HoldChartForInput();
    g_search.asked.reset();
    g_lastAnswer = std::move(*taken);
    ShowLastAnswer(mainWindow);
    HoldChartForInput();
}
