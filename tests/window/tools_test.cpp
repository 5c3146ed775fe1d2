// The Tools menu: the thread dialog and its thread line, Every train, and the fit dialog.
#include "window_fixture.h"

#include "fit.h"
#include "gear_set.h"
#include "number_text.h"
#include "program_state.h"
#include "resource.h"
#include "search.h"
#include "thread.h"
#include "tools_dialog.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Pitch, starts, leadscrew and fixed ratio; the pitch unit's index (mm, TPI,
// in, module, DP) and the leadscrew unit's (mm, TPI, in).
struct ThreadEntry {
    const char* texts[4];
    int pitchUnit = 0;
    int leadscrewUnit = 0;
};
constexpr int kThreadFields[] = {IDC_THREAD_PITCH, IDC_THREAD_STARTS, IDC_THREAD_LEADSCREW, IDC_THREAD_FIXED};

void Enter(HWND dialog, const ThreadEntry& entry) {
    for (int i = 0; i < 4; ++i) {
        SetDlgItemTextA(dialog, kThreadFields[i], entry.texts[i]);
    }
    SendDlgItemMessageA(dialog, IDC_THREAD_PITCH_UNIT, CB_SETCURSEL, entry.pitchUnit, 0);
    SendDlgItemMessageA(dialog, IDC_THREAD_LEADSCREW_UNIT, CB_SETCURSEL, entry.leadscrewUnit, 0);
}

std::string Fields(HWND dialog) {
    std::string texts;
    for (int id : kThreadFields) {
        texts += DialogFieldText(dialog, id) + "/";
    }
    return texts;
}

auto Gears(const std::vector<SolutionRecord>& trains) {
    std::vector<std::tuple<unsigned, unsigned, unsigned, unsigned>> gears;
    for (const SolutionRecord& t : trains) {
        gears.emplace_back(t.driver1, t.driver2, t.driven1, t.driven2);
    }
    return gears;
}

} // namespace

class ToolsTest : public MainWindowTest {
  protected:
    // Opens the dialog of a Tools command and runs action inside it; returns once it has closed.
    void InDialog(int command, std::function<void(HWND)> action) {
        OnNextDialog(std::move(action));
        SendMessageW(window, WM_COMMAND, command, 0);
        EXPECT_FALSE(DialogForcedClosed());
    }

    // The tooth fields show the first train so that A + B >= C + margin and C + D >= B + margin.
    void ExpectShownTrainFits(unsigned margin) {
        const unsigned a = std::stoul(Text(IDC_FIRST_DRIVER)), b = std::stoul(Text(IDC_FIRST_DRIVEN));
        const unsigned c = std::stoul(Text(IDC_SECOND_DRIVER)), d = std::stoul(Text(IDC_SECOND_DRIVEN));
        EXPECT_GE(a + b, c + margin);
        EXPECT_GE(c + d, b + margin);
        const SolutionRecord& shown = g_solutionList.front();
        EXPECT_EQ(a * c * shown.driven1 * shown.driven2, b * d * shown.driver1 * shown.driver2);
    }
};

// M1.25 on an 8 TPI leadscrew: no 127 among the default gears, so each train is off by its own ppm.
TEST_F(ToolsTest, ThreadOkWritesTheRatioAndTheLineFollowsTheShownTrainUntilAPaste) {
    InDialog(IDM_THREAD, [](HWND dialog) {
        EXPECT_EQ(Fields(dialog), "/1//1/");
        Enter(dialog, {{"1.25", "1", "8", "1"}, 0, 1});
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Text(IDC_RATIO), "0.393700787402");
    ASSERT_TRUE(Visible(IDC_THREAD_LINE));
    const std::string first = Text(IDC_THREAD_LINE);
    EXPECT_EQ(first, DescribeThreadTrain(*g_thread, g_solutionList[0]));
    EXPECT_EQ(first.rfind("1.25 mm on 8 TPI leadscrew: lead 1.2", 0), 0u) << first;

    // Up to the first train of another ratio: the line follows, and an option box keeps it.
    std::size_t other = 1;
    while (other < g_solutionList.size() && DescribeThreadTrain(*g_thread, g_solutionList[other]) == first) {
        ++other;
    }
    ASSERT_LT(other, g_solutionList.size());
    for (std::size_t step = 0; step < other; ++step) {
        StepUpDown(+1);
    }
    const std::string next = DescribeThreadTrain(*g_thread, g_solutionList[other]);
    EXPECT_EQ(Text(IDC_THREAD_LINE), next);
    Click(IDC_FIRST_DRIVER_SMALLER);
    EXPECT_TRUE(Visible(IDC_THREAD_LINE));
    EXPECT_EQ(Text(IDC_THREAD_LINE), next);

    PutOnClipboard("0.393700787402"); // the very same text
    SendDlgItemMessageW(window, IDC_RATIO, WM_COMMAND, IDM_RATIO_PASTE, 0);
    EXPECT_FALSE(Visible(IDC_THREAD_LINE));
    EXPECT_FALSE(g_solutionList.empty());
}

// Each invalid entry keeps the dialog open with that field's text selected;
// then a valid OK is remembered, and Cancel after changes leaves all as it was.
TEST_F(ToolsTest, ThreadDialogRefusesInvalidFieldsAndRemembersTheLastOk) {
    const std::pair<ThreadEntry, int> invalid[] = {
        {{{"", "1", "2", "1"}}, IDC_THREAD_PITCH},           {{{"-1.25", "1", "2", "1"}}, IDC_THREAD_PITCH},
        {{{"M7.5", "1", "2", "1"}}, IDC_THREAD_PITCH},       {{{"1.25", "1.5", "2", "1"}}, IDC_THREAD_STARTS},
        {{{"1.25", "1", "0.0", "1"}}, IDC_THREAD_LEADSCREW}, {{{"1.25", "1", "2", ""}}, IDC_THREAD_FIXED},
    };
    InDialog(IDM_THREAD, [&](HWND dialog) {
        for (const auto& [entry, field] : invalid) {
            Enter(dialog, entry);
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(IsWindowVisible(dialog)) << entry.texts[0];
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, field)) << entry.texts[0];
            DWORD start = 1, end = 0;
            SendDlgItemMessageW(dialog, field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(GetDlgItem(dialog, field))));
        }
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(Text(IDC_RATIO), "");
    EXPECT_FALSE(g_thread);

    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"11", "2", "3", "0,5"}, 1, 0});
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Text(IDC_RATIO), "3.078787878788"); // 2 * 25.4 / 11 / (3 * 0.5)
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(window, IDC_RATIO, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 14u); // the caret at the end of the text
    EXPECT_EQ(end, 14u);
    InDialog(IDM_THREAD, [](HWND dialog) {
        EXPECT_EQ(Fields(dialog), "11/2/3/0.5/");
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_THREAD_PITCH_UNIT, CB_GETCURSEL, 0, 0), 1);
        Enter(dialog, {{"12", "1", "2", "1"}});
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(Text(IDC_RATIO), "3.078787878788");
    EXPECT_EQ(g_thread->pitch.value, 11);
    EXPECT_TRUE(Visible(IDC_THREAD_LINE));
    WaitForFocus(IDC_RATIO);
    EXPECT_EQ(FocusId(), IDC_RATIO);
}

// A designation in the pitch field wins over the unit list and comes back as
// typed; Every train keeps to the thread's tolerance while the thread line
// shows, and without a train within it the line names the nearest one.
TEST_F(ToolsTest, DesignationsTheThreadToleranceAndTheNearestTrain) {
    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"1/2-13 unc", "1", "3", "1"}, 0, 0});
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Text(IDC_RATIO), RatioFieldText(25.4 / 13 / 3));
    EXPECT_EQ(Text(IDC_THREAD_LINE).rfind("1/2-13 UNC (13 TPI) on 3 mm leadscrew: lead 13.", 0), 0u)
        << Text(IDC_THREAD_LINE);
    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0);
    SearchRequest search;
    search.target = RatioFromText(Text(IDC_RATIO));
    search.stock = DefaultStock();
    search.method = SearchMethod::EveryTrain;
    search.tolerance = kThreadTolerance;
    EXPECT_EQ(Gears(g_solutionList), Gears(RunSearch(search).solutions));
    InDialog(IDM_THREAD, [](HWND dialog) {
        EXPECT_EQ(Fields(dialog), "1/2-13 UNC/1/3/1/");
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_THREAD_PITCH_UNIT, CB_GETCURSEL, 0, 0), 1);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });

    std::string gearSet(kGearCount, '0');
    for (std::uint32_t tooth = 20; tooth <= 80; tooth += 5) {
        gearSet[IndexOfTooth(tooth)] = '1';
    }
    StartWindow(("tandrel.exe " + gearSet).c_str());
    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0);
    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"80", "1", "3", "1"}, 1, 0});
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(g_solutionList.empty());
    EXPECT_TRUE(Text(IDC_THREAD_LINE)
                    .starts_with("80 TPI on 3 mm leadscrew: no train within 0.1 %; nearest: 20 80 "
                                 "30 70, lead 79.0222 TPI (0.321429 mm) (+12373.5 ppm, 12.37 thou "
                                 "per inch); within 0.1 % with six gears: "));
    Click(IDC_FIRST_DRIVEN_LARGER);
    EXPECT_NE(Text(IDC_THREAD_LINE).find("nearest: 20 70 30 80, "), std::string::npos)
        << Text(IDC_THREAD_LINE);
    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0); // the bisection's 0.002 holds that train
    EXPECT_TRUE(Text(IDC_THREAD_LINE)
                    .starts_with("80 TPI on 3 mm leadscrew: lead 79.0222 TPI (0.321429 mm), +12373.5 ppm, "
                                 "12.37 thou per inch; within 0.002 with six gears: "));
}

// Every train switches the search at once; the fit setting filters both
// searches and the tooth fields show the fitting arrangement.
TEST_F(ToolsTest, EveryTrainAndFitChangeTheListAtOnce) {
    SearchRequest search;
    search.target = 0.7697;
    search.stock = DefaultStock();
    search.method = SearchMethod::EveryTrain;
    EnterRatio("0.7697");
    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0);
    EXPECT_TRUE(GetMenuState(GetMenu(window), IDM_EVERY_TRAIN, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(Gears(g_solutionList), Gears(RunSearch(search).solutions));

    InDialog(IDM_FIT, [](HWND dialog) {
        CheckDlgButton(dialog, IDC_FIT_ONLY, BST_CHECKED);
        SetDlgItemTextA(dialog, IDC_FIT_MARGIN, "201");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_FIT_MARGIN));
        SetDlgItemTextA(dialog, IDC_FIT_MARGIN, "40");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    search.fitMargin = 40;
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_EQ(Gears(g_solutionList), Gears(RunSearch(search).solutions));
    ExpectShownTrainFits(40);

    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0);
    search.method = SearchMethod::Bisection;
    const std::vector<SolutionRecord> expected = RunSearch(search).solutions;
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Gears(g_solutionList), Gears(expected));
    ExpectShownTrainFits(40);
}
