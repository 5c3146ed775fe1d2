#include "program_state.h"

HINSTANCE g_instance;
wchar_t g_windowTitle[100];
wchar_t g_windowClassName[100];
std::vector<SolutionRecord> g_solutionList;
MultiplicityTable g_multiplicityTable;
std::optional<WindowAnswer> g_lastAnswer;
SearchState g_search;
std::array<bool, kGearCount> g_checkedGears;
WNDPROC g_keptRatioFieldProcedure;
WNDPROC g_keptErrorFieldProcedure;
WNDPROC g_keptGearBoxProcedure;
char g_subjectLabel[4];
RECT g_subjectRect;
HFONT g_markFonts[kGearCount];
ThreadLineState g_threadLine;
LatheState g_lathe;
ChartState g_chart;
std::optional<ScaleDrawn> g_scaleDrawn;
DrawingWindowState g_drawing;

std::optional<Thread> ThreadOfLine(std::string_view ratioText) {
    if (g_threadLine.ratioText.empty() || g_threadLine.ratioText != ratioText || !g_threadLine.thread) {
        return std::nullopt;
    }
    Thread thread = *g_threadLine.thread;
    thread.dial = g_lathe.settings.dial; // the lathe open now, whose dial may have come after the dialog's OK
    return thread;
}
