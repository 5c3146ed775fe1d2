// Trains of two and six gears, a lathe's banjo and the tooltips in the real
// main window: Tools, Train switches the search and the diagram at once, the
// banjo decides the fit, and the modes show in the thread line's row.
#include "window_fixture.h"

#include "drawing_window.h"
#include "gear_box_id.h"
#include "lathe.h"
#include "load_lathe.h"
#include "paint.h"
#include "program_state.h"
#include "resource.h"
#include "search.h"
#include "show_solution.h"
#include "shown_train.h"
#include "thread_dialog.h"
#include "train_modes.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool ItemChecked(HWND window, int id) {
    return (GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool SameTrains(const std::vector<SolutionRecord>& a, const std::vector<SolutionRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const SolutionRecord& x, const SolutionRecord& y) {
                          return Drivers(x) == Drivers(y) && Driven(x) == Driven(y) && x.idler == y.idler;
                      });
}

} // namespace

class TrainsTest : public MainWindowTest {
  protected:
    // The tooth fields shown and the option boxes enabled, and the mode line's text while it shows.
    std::string Modes() const {
        std::string state = Visible(IDC_FIRST_DRIVER) ? "fields" : "no fields";
        state += IsWindowEnabled(GetDlgItem(window, IDC_FIRST_DRIVER_SMALLER)) ? ", boxes" : ", no boxes";
        return Visible(IDC_MODE_LINE) ? state + ", " + Text(IDC_MODE_LINE) : state;
    }

    SearchRequest Expected(TrainKind kind) const {
        SearchRequest request;
        request.target = 0.5;
        request.stock = DefaultStock();
        request.train = kind;
        request.count = false;
        request.fitMargin = g_lathe.settings.fitMargin;
        request.banjo = WindowBanjo();
        return request;
    }
};

TEST_F(TrainsTest, TheTrainKindSwitchesTheSearchAndWhatShows) {
    EXPECT_TRUE(ItemChecked(window, IDM_TRAIN_COMPOUND));
    EnterRatio("0.5");
    const std::string fourGears = Text(IDC_FIRST_DRIVER) + Text(IDC_FIRST_DRIVEN) + Text(IDC_SECOND_DRIVER);
    EXPECT_EQ(Modes(), "fields, boxes");
    const struct {
        int command;
        TrainKind kind;
        std::string modes;
    } kinds[] = {
        {IDM_TRAIN_SIX, TrainKind::Six, "no fields, boxes, 6 gears"},
        {IDM_TRAIN_ANY, TrainKind::Any, "no fields, no boxes, 2, 4 or 6 gears"}, // 20 -> idler -> 40 first
        {IDM_TRAIN_SIMPLE, TrainKind::Simple, "no fields, no boxes, 2 gears"},
    };
    for (const auto& k : kinds) {
        SendMessageW(window, WM_COMMAND, k.command, 0);
        EXPECT_TRUE(ItemChecked(window, k.command));
        EXPECT_FALSE(ItemChecked(window, IDM_TRAIN_COMPOUND));
        EXPECT_EQ(TrainKindChecked(window), k.kind);
        ASSERT_FALSE(g_solutionList.empty());
        EXPECT_TRUE(SameTrains(g_solutionList, RunSearch(Expected(k.kind)).solutions));
        EXPECT_EQ(Modes(), k.modes);
        EXPECT_EQ(Text(IDC_FIRST_DRIVER), "");
        EXPECT_TRUE(Visible(IDC_SOLUTION_UPDOWN));
        EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), "1");
    }
    // The mode line gives way to a thread line that needs all three rows.
    ShowWindow(GetDlgItem(window, IDC_THREAD_LINE), SW_SHOW);
    for (const auto& [words, modes] :
         {std::pair{60, "no fields, no boxes"}, {6, "no fields, no boxes, 2 gears"}}) {
        std::string line;
        for (int word = 0; word < words; ++word) {
            line += "mmmm ";
        }
        SetDlgItemTextA(window, IDC_THREAD_LINE, line.c_str());
        ShowModes(window);
        EXPECT_EQ(Modes(), modes);
    }
    ShowWindow(GetDlgItem(window, IDC_THREAD_LINE), SW_HIDE);
    // With every kind, each train shows as its kind does: a four-gear train in the tooth fields.
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_ANY, 0);
    const auto four = std::ranges::find(g_solutionList, 4u, &SolutionRecord::gears);
    ASSERT_NE(four, g_solutionList.end());
    const int place = static_cast<int>(four - g_solutionList.begin());
    SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_SETPOS, 0, place + 1);
    ShowSolution(window, static_cast<std::uint32_t>(place));
    EXPECT_EQ(Modes(), "fields, boxes, 2, 4 or 6 gears");
    EXPECT_FALSE(ShownScaleDrawing(window));
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_COMPOUND, 0);
    EXPECT_EQ(Modes(), "fields, boxes");
    EXPECT_EQ(Text(IDC_FIRST_DRIVER) + Text(IDC_FIRST_DRIVEN) + Text(IDC_SECOND_DRIVER), fourGears);
}

// The open lathe's banjo is the window's: with the fit on it decides which
// trains are listed; it comes back in a save.
TEST_F(TrainsTest, TheLathesBanjoDecidesTheFit) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"tandrel banjo test.tandrel";
    std::ofstream(file, std::ios::binary) << "gears = \"20-99\"\n[fit]\nmargin = 15\n[banjo]\nmodule = 1.5\n"
                                             "centre_distance = 120\nstud_min = 40\nstud_max = 100\n";
    StartWindow(L"tandrel.exe \"" + file.wstring() + L"\"");
    ASSERT_TRUE(WindowBanjo());
    EXPECT_EQ(Modes(), "no fields, no boxes, fit \u00B7 banjo geometry"); // before anything is calculated
    EnterRatio("0.5");
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_TRUE(SameTrains(g_solutionList, RunSearch(Expected(TrainKind::Compound)).solutions));
    SearchRequest marginOnly = Expected(TrainKind::Compound);
    marginOnly.banjo.reset();
    EXPECT_FALSE(SameTrains(g_solutionList, RunSearch(marginOnly).solutions));

    Click(GearBoxId(127));
    SendMessageW(window, WM_COMMAND, IDM_SAVE_LATHE, 0);
    Lathe saved;
    EXPECT_EQ(LoadLathe(file, saved).what, "");
    EXPECT_TRUE(saved.banjo == WindowBanjo() && saved.stock.count[127] == 1);
    DestroyMainWindow();
    std::filesystem::remove(file);
}

// The trial lathe's 36 TPI is exact only with six gears: with four the
// thread line says so, naming the six gears that Any lists first as the
// window shows them; with Any the line has nothing to add.
TEST_F(TrainsTest, TheThreadLineSaysWhatAnotherKindDoesBetter) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"tandrel trial.tandrel";
    std::ofstream(file, std::ios::binary)
        << "gears = \"20-35/5, 40x2, 45-80/5, 127\"\n[fit]\nmargin = 15\n[banjo]\ndp = 16\n"
           "centre_distance = 165\nstud_min = 50\nstud_max = 130\nmax_last = 80\n";
    StartWindow(L"tandrel.exe \"" + file.wstring() + L"\"");
    const Thread thread{{36, PitchUnit::Tpi}, 1, {8, PitchUnit::Tpi}, 1};
    SetThread(window, thread);
    const std::string fourGears = Text(IDC_THREAD_LINE);
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_ANY, 0);
    ASSERT_EQ(g_solutionList.front().gears, 6u);
    const ShownTrain six = ShowTrain(g_solutionList.front(), WindowShowSettings(window));
    EXPECT_TRUE(fourGears.ends_with("; exact with six gears: " + GearsText(six.gears))) << fourGears;
    EXPECT_EQ(Text(IDC_THREAD_LINE), DescribeThreadTrain(thread, g_solutionList.front()));
    DestroyMainWindow();
    std::filesystem::remove(file);
}

// The open lathe's threading dial: the thread line and the open drawing
// window's key say where the half-nut may close for the train shown.
TEST_F(TrainsTest, TheDialSaysWhereTheHalfNutMayClose) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"tandrel dial.tandrel";
    std::ofstream(file, std::ios::binary)
        << "gears = \"20-80/5, 127\"\nleadscrew = \"8tpi\"\n[dial]\nteeth = 16\n";
    StartWindow(L"tandrel.exe \"" + file.wstring() + L"\"");
    SendMessageW(window, WM_COMMAND, IDM_DRAWING, 0);
    const auto keyEnd = [] { return LayOutDrawingWindow(g_drawing.window).value().key.back().text; };
    SetThread(window, {{13, PitchUnit::Tpi}, 1, {8, PitchUnit::Tpi}, 1});
    EXPECT_TRUE(Text(IDC_THREAD_LINE).ends_with("; dial: opposite lines (1 and 5)")) << Text(IDC_THREAD_LINE);
    EXPECT_EQ(keyEnd(), "dial: opposite lines (1 and 5)");
    SetThread(window, {{1.25, PitchUnit::Mm}, 1, {8, PitchUnit::Tpi}, 1});
    EXPECT_EQ(keyEnd(), "dial: keep the half-nut closed and reverse the spindle");
    EnterRatio("0.5"); // a ratio typed: no thread, no dial
    EXPECT_FALSE(keyEnd().starts_with("dial")) << keyEnd();
    DestroyMainWindow();
    std::filesystem::remove(file);
}

TEST_F(TrainsTest, TooltipsNameWhatTheFieldsHold) {
    HWND tooltip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(candidate, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW) {
                *reinterpret_cast<HWND*>(found) = candidate;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(GetWindow(tooltip, GW_OWNER), window);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 6);
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, IDC_RATIO));
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text,
                 L"Target ratio: the drivers' teeth multiplied \u00F7 the driven gears' teeth multiplied, "
                 L"spindle to leadscrew");
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, IDC_ZERO_COUNT));
    SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"zeros after the decimal point of the error");
}
