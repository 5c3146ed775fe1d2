// Lathe files in the real main window: opened from the command line and at a
// bare start, the caption, the question at close, a bad file, a save that
// fails, the Gears dialog, and the Banjo dialog with the Fit dialog's line.
#include "window_fixture.h"

#include "gear_box_id.h"
#include "gear_list.h"
#include "lathe.h"
#include "load_lathe.h"
#include "mount.h"
#include "program_state.h"
#include "resource.h"
#include "tools_dialog.h"
#include "wide_text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

namespace {

constexpr char kShop[] = "name = \"Shop\"\ngears = \"20-30/5, 40x2\"\nleadscrew = \"8tpi\"\nfixed = 0.5\n"
                         "[fit]\nmargin = 12\n";

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

class LatheTest : public MainWindowTest {
  protected:
    // The lathe file "Shop" in a folder of the test's own, with spaces in both names.
    void SetUp() override {
        MainWindowTest::SetUp();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::ofstream(shop, std::ios::binary) << kShop;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        std::filesystem::remove_all(folder);
    }

    std::wstring Caption() const {
        wchar_t caption[100] = {};
        GetWindowTextW(window, caption, 100);
        return caption;
    }

    // The ticked boxes with their multiplicities, as a gear list.
    std::string Ticked() const {
        Stock stock;
        for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
            stock.count[tooth] =
                Checked(GearBoxId(tooth)) ? static_cast<std::uint8_t>(g_multiplicityTable[tooth]) : 0;
        }
        return GearListText(stock);
    }

    // Runs the action, answering the message box it opens with the button;
    // returns the box's text, or "-" when none opened.
    std::wstring Answering(int button, const std::function<void()>& action) {
        std::wstring text = L"-";
        OnNextDialog([&](HWND box) {
            wchar_t shown[512] = {};
            GetDlgItemTextW(box, 0xFFFF, shown, 512);
            text = shown;
            PostMessageW(box, WM_COMMAND, button, 0);
        });
        action();
        RunMessageLoop(50);
        EXPECT_FALSE(DialogForcedClosed());
        return text;
    }

    void Start() { StartWindow(L"tandrel.exe " + shop.wstring()); }

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"tandrel lathe tests";
    const std::filesystem::path shop = folder / L"shop lathe.tandrel";
};

// Quoted or not, the file named on the command line sets the boxes, the
// multiplicities with their marks, the leadscrew, fixed ratio and fit, and a
// bare start opens it again. The caption names the lathe and marks a change
// until it is undone.
TEST_F(LatheTest, OpenedFromTheCommandLineAndAtABareStart) {
    for (const std::wstring& commandLine : {L"\"C:\\Tandrel\\tandrel.exe\" \"" + shop.wstring() + L"\"",
                                            L"tandrel.exe " + shop.wstring(), std::wstring(L"tandrel.exe")}) {
        StartWindow(commandLine);
        EXPECT_EQ(Ticked(), "20-30/5, 40x2");
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(window, GearBoxId(40), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfWeight, 600);
        EXPECT_EQ(Caption(), L"Tandrel - Shop");
        EXPECT_TRUE(g_lathe.settings.leadscrew && g_lathe.settings.leadscrew->value == 8 &&
                    g_lathe.settings.fixed == 0.5);
        EXPECT_EQ(g_lathe.settings.fitMargin, 12u);
        EXPECT_EQ(Text(IDC_FIRST_DRIVER), ""); // nothing calculated at start-up
    }
    wchar_t recent[MAX_PATH + 8] = {};
    GetMenuStringW(GetSubMenu(GetMenu(window), 0), IDM_RECENT_FIRST, recent, MAX_PATH + 8, MF_BYCOMMAND);
    EXPECT_EQ(recent, L"&1 " + shop.wstring());
    Click(GearBoxId(21));
    EXPECT_EQ(Caption(), L"Tandrel - Shop *");
    Click(GearBoxId(21));
    EXPECT_EQ(Caption(), L"Tandrel - Shop");
}

// A bare start whose remembered lathe does not read says so in the thread
// line's rows, with no message box, and starts with the default set until the
// next input shows a result there. A file that does not read stays the last
// lathe; one that is gone leaves the recent lathes and the registry.
TEST_F(LatheTest, ABareStartTellsThatTheRememberedLatheDoesNotRead) {
    const auto startBare = [&](const std::wstring& problem) {
        EXPECT_EQ(Answering(IDOK, [&] { StartWindow("tandrel.exe"); }), L"-");
        EXPECT_TRUE(Caption() == L"Tandrel" && Ticked() == "20-99");
        wchar_t line[1024] = {};
        GetDlgItemTextW(window, IDC_THREAD_LINE, line, 1024);
        EXPECT_EQ(Visible(IDC_THREAD_LINE) ? line : L"",
                  problem.empty() ? L""
                                  : L"The lathe last opened could not be opened: " + shop.wstring() +
                                        problem + L" Tandrel started with the default gear set.");
    };
    Start();
    std::ofstream(shop, std::ios::binary) << "gears = \"20-80, 17x4\"\n";
    startBare(L", line 1: gears '17x4': at most 3 of a size.");
    EnterRatio("1.5");
    EXPECT_FALSE(Visible(IDC_THREAD_LINE));

    std::filesystem::remove(shop);
    startBare(L" does not exist; it is dropped from the recent lathes.");
    startBare(L"");
}

// Closing with changes asks; Cancel keeps the window, No closes without
// saving, Yes saves first. Without changes nothing is asked.
TEST_F(LatheTest, ClosingWithChangesAsksToSave) {
    Start();
    Click(GearBoxId(99));
    EXPECT_EQ(Answering(IDCANCEL, [&] { SendMessageW(window, WM_CLOSE, 0, 0); }), L"Save changes to Shop?");
    EXPECT_EQ(Caption(), L"Tandrel - Shop *");
    EXPECT_NE(Answering(IDNO, [&] { SendMessageW(window, WM_COMMAND, IDM_EXIT, 0); }), L"-");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FileText(shop), kShop);

    Start();
    Click(GearBoxId(99));
    EXPECT_NE(Answering(IDYES, [&] { SendMessageW(window, WM_CLOSE, 0, 0); }), L"-");
    EXPECT_FALSE(IsWindow(window));
    Lathe saved;
    EXPECT_EQ(LoadLathe(shop, saved).what, "");
    EXPECT_EQ(GearListText(saved.stock), "20-30/5, 40x2, 99");
    EXPECT_TRUE(saved.name == "Shop" && saved.fixed == 0.5 && saved.fitMargin == 12u);

    Start();
    EXPECT_EQ(Answering(IDCANCEL, [&] { SendMessageW(window, WM_CLOSE, 0, 0); }), L"-");
    EXPECT_FALSE(IsWindow(window));
}

// A bad file, from the recent list or named on the command line, is told with
// its line and what is wrong, and changes nothing in the window.
TEST_F(LatheTest, ABadFileIsToldAndChangesNothing) {
    Start();
    EnterRatio("1.5");
    const std::string shown = Text(IDC_FIRST_DRIVER);
    std::ofstream(shop, std::ios::binary) << "name = \"Shop\"\n\ngears = \"20-80, 17x4\"\n";
    const std::wstring told = shop.wstring() + L", line 3: gears '17x4': at most 3 of a size";
    EXPECT_NE(Answering(IDOK, [&] { SendMessageW(window, WM_COMMAND, IDM_RECENT_FIRST, 0); }).find(told),
              std::wstring::npos);
    EXPECT_EQ(Ticked(), "20-30/5, 40x2");
    EXPECT_EQ(Caption(), L"Tandrel - Shop");
    EXPECT_EQ(Text(IDC_FIRST_DRIVER), shown);

    EXPECT_NE(Answering(IDOK, [&] { Start(); }).find(told), std::wstring::npos);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Ticked(), "20-99");
    EXPECT_EQ(Caption(), L"Tandrel");
}

// A save that cannot replace the file says why and leaves the old file whole,
// and the window keeps its changes unsaved. The folder is made read-only;
// where that does not stop its owner (an administrator), another program
// holding the old file open without sharing its deletion stops the replace.
TEST_F(LatheTest, AFailedSaveLeavesTheOldFileWhole) {
    Start();
    Click(GearBoxId(99));
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    HANDLE held =
        CreateFileW(shop.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::wstring told = Answering(IDOK, [&] { SendMessageW(window, WM_COMMAND, IDM_SAVE_LATHE, 0); });
    CloseHandle(held);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    EXPECT_EQ(told.rfind(L"The lathe could not be saved to " + shop.wstring() + L":\n", 0), 0u);
    EXPECT_EQ(FileText(shop), kShop);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary file is left";
    EXPECT_EQ(Caption(), L"Tandrel - Shop *");
}

// Tools, Gears: the ticked set as a gear list; a typed list ticks its boxes
// with their multiplicities, a bad one is told in the dialog, and an empty
// one unticks every box.
TEST_F(LatheTest, GearsDialogTakesAGearList) {
    EnterRatio("1.5");
    for (const wchar_t* list : {L"20-60/5, 127, 62\u00d73, 17x4", L""}) {
        OnNextDialog([list](HWND dialog) {
            wchar_t text[64] = {};
            GetDlgItemTextW(dialog, IDC_GEARS_LIST, text, 64);
            EXPECT_STREQ(text, *list ? L"20-99" : L"20-60/5, 62x3, 127");
            SetDlgItemTextW(dialog, IDC_GEARS_LIST, list);
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
            if (*list) {
                ASSERT_TRUE(IsWindowVisible(dialog));
                GetDlgItemTextW(dialog, IDC_GEARS_PROBLEM, text, 64);
                EXPECT_STREQ(text, L"'17x4': at most 3 of a size");
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_GEARS_LIST));
                SetDlgItemTextW(dialog, IDC_GEARS_LIST, L"20-60/5, 127, 62\u00d73");
                SendMessageW(dialog, WM_COMMAND, IDOK, 0);
            }
        });
        SendMessageW(window, WM_COMMAND, IDM_GEARS, 0);
        EXPECT_FALSE(DialogForcedClosed());
        EXPECT_EQ(Ticked(), *list ? "20-60/5, 62x3, 127" : "");
        EXPECT_EQ(g_solutionList.empty(), !*list);
    }
}

namespace {

// The banjo dialog's figures, from the pitch's to the largest gear on the leadscrew's.
std::string BanjoFields(HWND dialog) {
    std::string texts;
    for (int id = IDC_BANJO_PITCH; id <= IDC_BANJO_MAX_LAST; ++id) {
        texts += DialogFieldText(dialog, id) + "/";
    }
    return texts;
}

std::wstring DialogLine(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

// Whether every listed train, and at least one, goes on the banjo with the fit's margin.
bool AllMount(const std::optional<Banjo>& banjo) {
    return !g_solutionList.empty() && std::ranges::all_of(g_solutionList, [&](const SolutionRecord& train) {
        return Positions(train, FitRule(15, banjo)).has_value();
    });
}

} // namespace

// Tools, Banjo on a lathe without one: "No banjo" checked, the figures greyed;
// unchecked, a refused figure keeps the dialog open with that field selected
// and the core's sentence; OK gives the lathe the banjo, lists the trains that
// mount on it and marks the lathe changed, and Save writes it; Escape changes
// nothing; "No banjo" takes it away. The Fit dialog's line follows its check
// box and the banjo.
TEST_F(LatheTest, BanjoDialogEditsTheLathesBanjo) {
    std::ofstream(shop, std::ios::binary) << "gears = \"20-80/5, 127\"\n[fit]\nmargin = 15\n";
    Start();
    EnterRatio("0.3937");
    const Banjo given{
        .module = 1.5, .centreDistance = 130.5, .studMin = 40, .studMax = 70, .maxA = {}, .maxLast = {}};
    EXPECT_FALSE(AllMount(given));
    const auto inDialog = [this](int command, std::function<void(HWND)> action) {
        OnNextDialog(std::move(action));
        SendMessageW(window, WM_COMMAND, command, 0);
        EXPECT_FALSE(DialogForcedClosed());
    };
    const auto refused = [](HWND dialog, int id, const char* text, const wchar_t* why) {
        SetDlgItemTextA(dialog, id, text);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog) && GetFocus() == GetDlgItem(dialog, id));
        EXPECT_EQ(DialogLine(dialog, IDC_BANJO_PROBLEM), why);
    };
    inDialog(IDM_FIT, [](HWND dialog) {
        EXPECT_EQ(DialogLine(dialog, IDC_FIT_DECIDES),
                  L"The margin decides what fits: the lathe has no banjo.");
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    inDialog(IDM_BANJO, [&](HWND dialog) {
        EXPECT_EQ(BanjoFields(dialog), "////3///");
        EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_BANJO_NONE) &&
                    !IsWindowEnabled(GetDlgItem(dialog, IDC_BANJO_PITCH)));
        SendDlgItemMessageW(dialog, IDC_BANJO_NONE, BM_CLICK, 0, 0);
        refused(dialog, IDC_BANJO_PITCH, "", L"Module '' is empty");
        SetDlgItemTextA(dialog, IDC_BANJO_PITCH, "1.5");
        refused(dialog, IDC_BANJO_CENTRE_DISTANCE, "0", L"Centre distance '0' is zero");
        SetDlgItemTextA(dialog, IDC_BANJO_CENTRE_DISTANCE, "130,5");
        SetDlgItemTextA(dialog, IDC_BANJO_STUD_MAX, "70");
        refused(dialog, IDC_BANJO_STUD_MIN, "75", L"Stud min '75' is above stud max '70'");
        SetDlgItemTextA(dialog, IDC_BANJO_STUD_MIN, "40");
        refused(dialog, IDC_BANJO_MAX_A, "170", L"Largest on spindle '170' is outside 16..165");
        SetDlgItemTextA(dialog, IDC_BANJO_MAX_A, "");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(g_lathe.settings.banjo, given);
    EXPECT_EQ(Caption(), L"Tandrel - shop lathe *");
    EXPECT_TRUE(AllMount(given));
    inDialog(IDM_FIT, [](HWND dialog) {
        const std::wstring checked = DialogLine(dialog, IDC_FIT_DECIDES);
        SendDlgItemMessageW(dialog, IDC_FIT_ONLY, BM_CLICK, 0, 0);
        EXPECT_EQ(
            checked + L"|" + DialogLine(dialog, IDC_FIT_DECIDES),
            L"The banjo's geometry decides what fits: its centre distance, stud slot and clearance. The "
            L"margin is not used.|Every train is listed, whether it fits or not.");
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });

    inDialog(IDM_BANJO, [](HWND dialog) {
        EXPECT_EQ(BanjoFields(dialog), "1.5/130.5/40/70/3///");
        SetDlgItemTextA(dialog, IDC_BANJO_CENTRE_DISTANCE, "90");
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(g_lathe.settings.banjo, given);
    SendMessageW(window, WM_COMMAND, IDM_SAVE_LATHE, 0);
    Lathe saved;
    EXPECT_EQ(LoadLathe(shop, saved).what, "");
    EXPECT_EQ(saved.banjo, given);

    inDialog(IDM_BANJO, [](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_BANJO_NONE, BM_CLICK, 0, 0);
        SetDlgItemTextA(dialog, IDC_BANJO_STUD_MIN, "not read");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(g_lathe.settings.banjo, std::nullopt);
    EXPECT_EQ(Caption(), L"Tandrel - shop lathe *");
    EXPECT_TRUE(AllMount(std::nullopt));
}
