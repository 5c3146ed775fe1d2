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

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Pitch, starts, leadscrew and fixed ratio; the units picked by index (mm, TPI,
// in, module, DP), -1 for none.
struct ThreadEntry {
    const char* texts[4];
    int pitchUnit = -1;
    int leadscrewUnit = -1;
};
constexpr int kThreadFields[] = {IDC_THREAD_PITCH, IDC_THREAD_STARTS, IDC_THREAD_LEADSCREW, IDC_THREAD_FIXED};

// The units are picked after the texts, as the user picks them.
void Enter(HWND dialog, const ThreadEntry& entry) {
    for (int i = 0; i < 4; ++i) {
        SetDlgItemTextA(dialog, kThreadFields[i], entry.texts[i]);
    }
    for (auto [list, index] : {std::pair{IDC_THREAD_PITCH_UNIT, entry.pitchUnit},
                               std::pair{IDC_THREAD_LEADSCREW_UNIT, entry.leadscrewUnit}}) {
        if (index >= 0) {
            SendDlgItemMessageA(dialog, list, CB_SETCURSEL, index, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), 0);
        }
    }
}

// The unit a list shows, by index, and whether it is greyed.
std::pair<LRESULT, bool> ListShows(HWND dialog, int list) {
    return {SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0),
            !IsWindowEnabled(GetDlgItem(dialog, list))};
}

std::wstring LineText(HWND dialog, int line) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, line, text, 512);
    return text;
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
    EXPECT_EQ(first, DescribeThreadTrain(*g_threadLine.thread, g_solutionList[0]));
    EXPECT_EQ(first.rfind("1.25 mm on 8 TPI leadscrew: lead 1.2", 0), 0u) << first;

    // Up to the first train of another ratio: the line follows, and an option box keeps it.
    std::size_t other = 1;
    while (other < g_solutionList.size() &&
           DescribeThreadTrain(*g_threadLine.thread, g_solutionList[other]) == first) {
        ++other;
    }
    ASSERT_LT(other, g_solutionList.size());
    for (std::size_t step = 0; step < other; ++step) {
        StepUpDown(+1);
    }
    const std::string next = DescribeThreadTrain(*g_threadLine.thread, g_solutionList[other]);
    EXPECT_EQ(Text(IDC_THREAD_LINE), next);
    Click(IDC_FIRST_DRIVER_SMALLER);
    EXPECT_TRUE(Visible(IDC_THREAD_LINE));
    EXPECT_EQ(Text(IDC_THREAD_LINE), next);

    PutOnClipboard("0.393700787402"); // the very same text
    SendDlgItemMessageW(window, IDC_RATIO, WM_COMMAND, IDM_RATIO_PASTE, 0);
    EXPECT_FALSE(Visible(IDC_THREAD_LINE));
    EXPECT_FALSE(g_solutionList.empty());
}

// With six gears a typed key's search runs on the worker, but the thread line
// goes with the key at once, and the answer that follows does not bring it back.
TEST_F(ToolsTest, TypingHidesTheThreadLineAtOnceWhileTheWorkerSearches) {
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"1.25", "1", "8", "1"}, 0, 1});
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(Visible(IDC_THREAD_LINE));
    HWND field = GetDlgItem(window, IDC_RATIO);
    SendMessageW(field, WM_CHAR, '5', 1);
    EXPECT_TRUE(g_search.working);
    EXPECT_FALSE(Visible(IDC_THREAD_LINE));
    SendMessageW(field, WM_KEYUP, '5', 0xC0000001);
    WaitForAnswer();
    EXPECT_FALSE(Visible(IDC_THREAD_LINE));
    EXPECT_EQ(Text(IDC_RATIO), "0.3937007874025");
    EXPECT_FALSE(g_solutionList.empty());
}

// Each invalid entry keeps the dialog open with that field's text selected
// and the tool's words for it (they start so) below the fields, until the
// next OK; then a valid OK is remembered, and Cancel after changes leaves all
// as it was.
TEST_F(ToolsTest, ThreadDialogRefusesInvalidFieldsAndRemembersTheLastOk) {
    const std::tuple<ThreadEntry, int, const wchar_t*> invalid[] = {
        {{{"", "1", "2", "1"}}, IDC_THREAD_PITCH, L"Pitch '' is empty"},
        {{{"1/2-14", "1", "2", "1"}},
         IDC_THREAD_PITCH,
         L"Pitch '1/2-14' is not a known thread designation: "
         L"1/2 UNC has 13 TPI, 1/2 UNF has 20 TPI"},
        {{{"1.25", "1.5", "2", "1"}}, IDC_THREAD_STARTS, L"Starts '1.5' is not a whole number"},
        {{{"1.25", "1", "0.0", "1"}}, IDC_THREAD_LEADSCREW, L"Leadscrew '0.0' is zero"},
        {{{"1.25", "1", "2", ""}}, IDC_THREAD_FIXED, L"Fixed ratio '' is empty"},
        {{{"M1WWWWWWWWWWWWWW", "1", "2", "1"}},
         IDC_THREAD_PITCH,
         L"Pitch 'M1WWWWWWWWWWWWWW' is not a known thread designation; known are M6 or M6x0.75 "},
    };
    InDialog(IDM_THREAD, [&](HWND dialog) {
        EXPECT_EQ(LineText(dialog, IDC_THREAD_PROBLEM), L"");
        for (const auto& [entry, field, why] : invalid) {
            Enter(dialog, entry);
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(IsWindowVisible(dialog)) << entry.texts[0];
            EXPECT_EQ(LineText(dialog, IDC_THREAD_PROBLEM).rfind(why, 0), 0u) << entry.texts[0];
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
    EXPECT_FALSE(g_threadLine.thread);

    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"11", "2", "3", "0,5"}, 1});
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
        EXPECT_EQ(ListShows(dialog, IDC_THREAD_PITCH_UNIT), std::pair(LRESULT{1}, false));
        Enter(dialog, {{"12", "1", "2", "1"}});
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(Text(IDC_RATIO), "3.078787878788");
    EXPECT_EQ(g_threadLine.thread->pitch.value, 11);
    EXPECT_TRUE(Visible(IDC_THREAD_LINE));
    WaitForFocus(IDC_RATIO);
    EXPECT_EQ(FocusId(), IDC_RATIO);
}

// A designation in the pitch field wins over the unit list and comes back as
// typed; Every train keeps to the thread's tolerance while the thread line
// shows, and without a train within it the line names the nearest one.
TEST_F(ToolsTest, DesignationsTheThreadToleranceAndTheNearestTrain) {
    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"1/2-13 unc", "1", "3", "1"}});
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
        EXPECT_EQ(ListShows(dialog, IDC_THREAD_PITCH_UNIT), std::pair(LRESULT{1}, true));
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });

    std::string gearSet(kGearCount, '0');
    for (std::uint32_t tooth = 20; tooth <= 80; tooth += 5) {
        gearSet[IndexOfTooth(tooth)] = '1';
    }
    StartWindow(("tandrel.exe " + gearSet).c_str());
    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0);
    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"72", "1", "3", "1"}, 1});
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(g_solutionList.empty());
    EXPECT_EQ(Text(IDC_THREAD_LINE),
              "72 TPI on 3 mm leadscrew: nearest: 20 80 35 75, lead 72.5714 TPI (0.350000 mm) "
              "(-7874.0 ppm, 7.87 thou per inch), outside 0.1 %: 0.79 % short; within 0.1 % with six gears: "
              "20 80 25 65 55 45 (-605.7 ppm)");
    Click(IDC_FIRST_DRIVEN_LARGER);
    EXPECT_NE(Text(IDC_THREAD_LINE).find("nearest: 20 75 35 80, "), std::string::npos)
        << Text(IDC_THREAD_LINE);
    SendMessageW(window, WM_COMMAND, IDM_EVERY_TRAIN, 0); // off: the bisection's 0.002 would hold that train
    EXPECT_TRUE(g_solutionList.empty());
    EXPECT_NE(Text(IDC_THREAD_LINE).find(", outside 0.1 %: 0.79 % short; "), std::string::npos)
        << Text(IDC_THREAD_LINE);
}

// The trial lathe (8 TPI leadscrew, the fit on a 16 DP banjo) with Every train
// off as at the start: no train for 0.35 mm is within 1 % (the bisection's
// 20 127 55 80 is 1.8 % short); 36 TPI names its nearest and how far off it is.
TEST_F(ToolsTest, AThreadIsJudgedAsAThreadWhateverEveryTrainSays) {
    const std::filesystem::path lathe =
        std::filesystem::temp_directory_path() / L"tandrel trial lathe.tandrel";
    std::ofstream(lathe, std::ios::binary)
        << "gears = \"20-35/5, 40x2, 45-80/5, 127\"\nleadscrew = \"8tpi\"\n[fit]\nmargin = 15\n[banjo]\n"
           "dp = 16\ncentre_distance = 165\nstud_min = 50\nstud_max = 130\nmax_last = 80\n";
    StartWindow(L"tandrel.exe \"" + lathe.wstring() + L"\"");
    std::filesystem::remove(lathe);
    const std::pair<ThreadEntry, const char*> threads[] = {
        {{{"0.35", "1", "8", "1"}, 0, 1},
         "0.35 mm on 8 TPI leadscrew: no usable train within 1 %; exact with six gears: 20 40 35 127 60 75"},
        {{{"36", "1", "8", "1"}, 1, 1},
         "36 TPI on 8 TPI leadscrew: nearest: 30 127 75 80, lead 36.1244 TPI "
         "(0.703125 mm) (-3444.9 ppm, 3.44 thou per inch), outside 0.1 %: 0.34 % short; exact with six "
         "gears: "
         "20 40 25 45 40 50"},
    };
    for (const auto& [entry, line] : threads) {
        InDialog(IDM_THREAD, [&entry](HWND dialog) {
            Enter(dialog, entry);
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(g_solutionList.empty()) << line;
        EXPECT_EQ(Text(IDC_THREAD_LINE), line);
    }
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
        EXPECT_EQ(LineText(dialog, IDC_FIT_PROBLEM), L"Margin in teeth '201' is outside 0..200");
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

// A unit the field names shows greyed in its list only while the field holds
// it: after 1/2 UNC, a typed 1.25 is 1.25 mm (mm is picked), not 1.25 TPI;
// the leadscrew field takes "8 TPI", shown so again while mm stays picked.
TEST_F(ToolsTest, AUnitTheFieldNamedNeverOutlivesIt) {
    InDialog(IDM_THREAD, [](HWND dialog) {
        Enter(dialog, {{"1/2 unc", "1", "8 TPI", "1"}});
        EXPECT_EQ(ListShows(dialog, IDC_THREAD_LEADSCREW_UNIT), std::pair(LRESULT{1}, true));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    InDialog(IDM_THREAD, [](HWND dialog) {
        EXPECT_EQ(Fields(dialog), "1/2-13 UNC/1/8 TPI/1/");
        SetDlgItemTextA(dialog, IDC_THREAD_PITCH, "1.25");
        EXPECT_EQ(ListShows(dialog, IDC_THREAD_PITCH_UNIT), std::pair(LRESULT{0}, false));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(g_threadLine.thread);
    EXPECT_EQ(ThreadName(*g_threadLine.thread) + " on " + LeadscrewName(*g_threadLine.thread),
              "1.25 mm on 8 TPI leadscrew");
}
