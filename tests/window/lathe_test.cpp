// Lathe files in the real main window: opened from the command line and at a
// bare start, the caption, the question at close, a bad file, a save that
// fails, and the Gears dialog.
#include "window_fixture.h"

#include "gear_box_id.h"
#include "gear_list.h"
#include "lathe.h"
#include "load_lathe.h"
#include "program_state.h"
#include "resource.h"

#include <filesystem>
#include <fstream>
#include <string>

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
