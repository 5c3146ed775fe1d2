#include "program_state.h"

HINSTANCE g_instance;
wchar_t g_windowTitle[100];
wchar_t g_windowClassName[100];
std::vector<SolutionRecord> g_solutionList;
MultiplicityTable g_multiplicityTable;
std::optional<WindowAnswer> g_lastAnswer;
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
DrawingWindowState g_drawing;

std::optional<Thread> ThreadOfLine(std::string_view ratioText) {
    return !g_threadLine.ratioText.empty() && g_threadLine.ratioText == ratioText ? g_threadLine.thread
                                                                                  : std::nullopt;
}
