// Lathe files in the real main window: opened from the command line and at a
// bare start, the caption, the question at close, a bad file, a save that
// fails, and the Gears dialog.
#include "window_fixture.h"

#include "gear_box_id.h"
#include "gear_list.h"
#include "lathe.h"
#include "program_state.h"
#include "resource.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr char kShopLathe[] =
    "name = \"Shop\"\ngears = \"20-30/5, 40x2\"\nleadscrew = \"8tpi\"\nfixed = 0.5\n"
    "[fit]\nmargin = 12\n";

std::wstring Caption(HWND window) {
    wchar_t caption[100] = {};
    GetWindowTextW(window, caption, 100);
    return caption;
}

// What a message box said, if one was shown.
struct MessageBoxSeen {
    std::wstring text;
    bool shown = false;
};

} // namespace

class LatheTest : public MainWindowTest {
  protected:
    // A folder of the test's own, with a space in its name.
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = std::filesystem::temp_directory_path() / L"tandrel lathe tests";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        shop = folder / L"shop lathe.tandrel";
        Write(shop, kShopLathe);
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        std::filesystem::remove_all(folder);
    }

    static void Write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    static Lathe Read(const std::filesystem::path& path) {
        Lathe lathe;
        EXPECT_EQ(LoadLathe(path, lathe).what, "");
        return lathe;
    }

    std::string TickedList() const {
        Stock stock;
        for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
            stock.count[tooth] =
                Checked(GearBoxId(tooth)) ? static_cast<std::uint8_t>(g_multiplicityTable[tooth]) : 0;
        }
        return GearListText(stock);
    }

    // Runs action (which opens a message box) and answers the box with the button.
    MessageBoxSeen Answering(int button, const std::function<void()>& action) {
        MessageBoxSeen seen;
        OnNextDialog([&](HWND box) {
            seen.shown = true;
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            seen.text = text;
            PostMessageW(box, WM_COMMAND, button, 0);
        });
        action();
        RunMessageLoop(50);
        EXPECT_FALSE(DialogForcedClosed());
        return seen;
    }

    std::filesystem::path folder;
    std::filesystem::path shop;
};

// Quoted or not, the file named on the command line sets the boxes, the
// multiplicities with their marks, the leadscrew, fixed ratio and fit; the
// caption names the lathe and marks a change until it is undone.
TEST_F(LatheTest, OpenedFromTheCommandLineWithItsCaption) {
    for (const std::wstring& commandLine :
         {L"\"C:\\Tandrel\\tandrel.exe\" \"" + shop.wstring() + L"\"", L"tandrel.exe " + shop.wstring()}) {
        StartWindow(commandLine);
        EXPECT_EQ(TickedList(), "20-30/5, 40x2");
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(window, GearBoxId(40), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfWeight, 600);
        EXPECT_EQ(Caption(window), L"Tandrel - Shop");
        ASSERT_TRUE(g_leadscrew);
        EXPECT_EQ(g_leadscrew->value, 8);
        EXPECT_EQ(g_fixedRatio, 0.5);
        EXPECT_TRUE(g_onlyFittingTrains);
        EXPECT_EQ(g_fitMargin, 12u);
        EXPECT_EQ(Text(IDC_FIRST_DRIVER), ""); // nothing calculated at start-up
    }
    HMENU file = GetSubMenu(GetMenu(window), 0);
    wchar_t recent[MAX_PATH + 8] = {};
    GetMenuStringW(file, IDM_RECENT_FIRST, recent, MAX_PATH + 8, MF_BYCOMMAND);
    EXPECT_EQ(recent, L"&1 " + shop.wstring());
    EXPECT_EQ(GetMenuItemCount(file), 7); // Open, Save, Save As, separator, the one lathe, separator, Exit

    Click(GearBoxId(21));
    EXPECT_EQ(Caption(window), L"Tandrel - Shop *");
    Click(GearBoxId(21));
    EXPECT_EQ(Caption(window), L"Tandrel - Shop");
}

// A bare start opens the lathe last opened, and the default set without a
// word once that file is gone.
TEST_F(LatheTest, ABareStartReopensTheLastLathe) {
    StartWindow(L"tandrel.exe \"" + shop.wstring() + L"\"");
    StartWindow("tandrel.exe");
    EXPECT_EQ(Caption(window), L"Tandrel - Shop");
    EXPECT_EQ(TickedList(), "20-30/5, 40x2");

    std::filesystem::remove(shop);
    bool asked = false;
    OnNextDialog([&](HWND dialog) {
        asked = true;
        EndDialog(dialog, IDOK);
    });
    StartWindow("tandrel.exe");
    EXPECT_FALSE(asked);
    EXPECT_EQ(Caption(window), L"Tandrel");
    EXPECT_EQ(TickedList(), "20-99");
}

// Closing with changes asks; Cancel keeps the window, No closes without
// saving, Yes saves first. Without changes nothing is asked.
TEST_F(LatheTest, ClosingWithChangesAsksToSave) {
    StartWindow(L"tandrel.exe " + shop.wstring());
    Click(GearBoxId(99));
    MessageBoxSeen seen = Answering(IDCANCEL, [&] { SendMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_EQ(seen.text, L"Save changes to Shop?");
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(Caption(window), L"Tandrel - Shop *");

    seen = Answering(IDNO, [&] { SendMessageW(window, WM_COMMAND, IDM_EXIT, 0); });
    EXPECT_TRUE(seen.shown);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GearListText(Read(shop).stock), "20-30/5, 40x2");

    StartWindow(L"tandrel.exe " + shop.wstring());
    Click(GearBoxId(99));
    seen = Answering(IDYES, [&] { SendMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(seen.shown);
    EXPECT_FALSE(IsWindow(window));
    const Lathe saved = Read(shop);
    EXPECT_EQ(GearListText(saved.stock), "20-30/5, 40x2, 99");
    EXPECT_EQ(saved.name, "Shop");
    EXPECT_EQ(saved.fitMargin, 12u);

    StartWindow(L"tandrel.exe " + shop.wstring());
    seen = Answering(IDCANCEL, [&] { SendMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(seen.shown);
    EXPECT_FALSE(IsWindow(window));
}

// A bad file, named on the command line or opened from the recent list, is
// told with its line and what is wrong, and changes nothing in the window.
TEST_F(LatheTest, ABadFileIsToldAndChangesNothing) {
    StartWindow(L"tandrel.exe " + shop.wstring());
    EnterRatio("1.5");
    const std::string shown = Text(IDC_FIRST_DRIVER);
    Write(shop, "name = \"Shop\"\n\ngears = \"20-80, 17x4\"\n");
    MessageBoxSeen seen = Answering(IDOK, [&] { SendMessageW(window, WM_COMMAND, IDM_RECENT_FIRST, 0); });
    EXPECT_NE(seen.text.find(shop.wstring() + L", line 3: gears '17x4': at most 3 of a size"),
              std::wstring::npos);
    EXPECT_EQ(TickedList(), "20-30/5, 40x2");
    EXPECT_EQ(Caption(window), L"Tandrel - Shop");
    EXPECT_EQ(Text(IDC_FIRST_DRIVER), shown);

    seen = Answering(IDOK, [&] { StartWindow(L"tandrel.exe " + shop.wstring()); });
    EXPECT_NE(seen.text.find(L"line 3"), std::wstring::npos);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(TickedList(), "20-99");
    EXPECT_EQ(Caption(window), L"Tandrel");
}

// A save that cannot replace the file says why and leaves the old file whole,
// and the window keeps its changes unsaved. The folder is made read-only;
// where that does not stop its owner (an administrator), another program
// holding the old file open without sharing its deletion stops the replace.
TEST_F(LatheTest, AFailedSaveLeavesTheOldFileWhole) {
    StartWindow(L"tandrel.exe " + shop.wstring());
    Click(GearBoxId(99));
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    HANDLE held =
        CreateFileW(shop.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const MessageBoxSeen seen = Answering(IDOK, [&] { SendMessageW(window, WM_COMMAND, IDM_SAVE_LATHE, 0); });
    CloseHandle(held);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    EXPECT_EQ(seen.text.rfind(L"The lathe could not be saved to " + shop.wstring() + L":\n", 0), 0u);
    std::ifstream file(shop, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), kShopLathe);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary file is left";
    EXPECT_EQ(Caption(window), L"Tandrel - Shop *");
}

// Tools, Gears: the ticked set as a gear list; a typed list ticks its boxes
// with their multiplicities, a bad one is told in the dialog, and an empty
// one unticks every box.
TEST_F(LatheTest, GearsDialogTakesAGearList) {
    const auto inGearsDialog = [&](const std::function<void(HWND)>& action) {
        OnNextDialog(action);
        SendMessageW(window, WM_COMMAND, IDM_GEARS, 0);
        EXPECT_FALSE(DialogForcedClosed());
    };
    EnterRatio("1.5");
    inGearsDialog([](HWND dialog) {
        wchar_t list[64] = {};
        GetDlgItemTextW(dialog, IDC_GEARS_LIST, list, 64);
        EXPECT_STREQ(list, L"20-99");
        SetDlgItemTextW(dialog, IDC_GEARS_LIST, L"20-60/5, 127, 62\u00d73, 17x4");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(IsWindowVisible(dialog));
        GetDlgItemTextW(dialog, IDC_GEARS_PROBLEM, list, 64);
        EXPECT_STREQ(list, L"'17x4': at most 3 of a size");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_GEARS_LIST));
        SetDlgItemTextW(dialog, IDC_GEARS_LIST, L"20-60/5, 127, 62\u00d73");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(TickedList(), "20-60/5, 62x3, 127");
    EXPECT_FALSE(g_solutionList.empty());
    inGearsDialog([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_GEARS_LIST, L"");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(TickedList(), "");
    EXPECT_TRUE(g_solutionList.empty());
}
