#include "program_state.h"

HINSTANCE g_instance;
wchar_t g_windowTitle[100];
wchar_t g_windowClassName[100];
std::vector<SolutionRecord> g_solutionList;
MultiplicityTable g_multiplicityTable;
std::array<bool, kGearCount> g_checkedGears;
WNDPROC g_keptRatioFieldProcedure;
WNDPROC g_keptErrorFieldProcedure;
WNDPROC g_keptGearBoxProcedure;
char g_subjectLabel[4];
RECT g_subjectRect;
HFONT g_markFonts[kGearCount];
std::optional<Thread> g_thread;
std::string g_threadRatioText;
PitchUnit g_pickedPitchUnit = PitchUnit::Mm;
PitchUnit g_pickedLeadscrewUnit = PitchUnit::Mm;
std::optional<NearestTrains> g_noTrain;
std::optional<BetterKind> g_betterKind;
std::optional<Pitch> g_leadscrew;
double g_fixedRatio = 1;
bool g_onlyFittingTrains = false;
std::uint32_t g_fitMargin = 15;
std::wstring g_lathePath;
Lathe g_fileLathe;
std::vector<std::wstring> g_recentLathes;
HWND g_chartWindow;
std::vector<Pitch> g_chartPitches;
int g_chartList;
std::uint64_t g_chartRequested;
bool g_chartWorking;
std::optional<ChartRequest> g_chartWaiting;
ChartRequest g_chartShownRequest;
Chart g_chartShown;
DrawingWindowState g_drawing;

std::optional<std::uint32_t> FitMarginInForce() {
    return g_onlyFittingTrains ? std::optional<std::uint32_t>(g_fitMargin) : std::nullopt;
}

std::optional<Thread> ThreadOfLine(std::string_view ratioText) {
    return !g_threadRatioText.empty() && g_threadRatioText == ratioText ? g_thread : std::nullopt;
}
