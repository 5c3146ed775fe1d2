// The ratio field in the real main window: its key filter, the recalculations
// that typing causes, and its Copy/Paste menu.
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "window_fixture.h"

#include <commctrl.h>

#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A list's trains and their errors, to compare two lists.
auto Trains(const std::vector<SolutionRecord>& list) {
    std::vector<std::tuple<double, unsigned, unsigned, unsigned, unsigned, unsigned, unsigned, unsigned>>
        trains;
    for (const SolutionRecord& r : list) {
        trains.emplace_back(r.error, r.driver1, r.driver2, r.driver3, r.driven1, r.driven2, r.driven3,
                            r.idler);
    }
    return trains;
}

// What the open popup menu showed, read from inside its modal loop.
struct MenuSeen {
    bool shown = false;
    RECT rect = {};
    std::vector<std::wstring> texts;
    std::vector<UINT> ids;
    std::vector<bool> grayed;
};

MenuSeen menuSeen;
std::vector<WPARAM> menuKeys; // keys posted to the open menu; none ends it unchosen
int menuTicks = 0;

BOOL CALLBACK FindMenuWindow(HWND candidate, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(candidate, className, 16);
    if (std::wstring(className) == L"#32768" && IsWindowVisible(candidate)) {
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK InspectMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&popup));
    if (popup == nullptr) {
        if (++menuTicks > 100) { // never leave a test hanging in the menu loop
            KillTimer(nullptr, timer);
            EndMenu();
        }
        return;
    }
    KillTimer(nullptr, timer);
    menuSeen.shown = true;
    GetWindowRect(popup, &menuSeen.rect);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32] = {};
        GetMenuStringW(menu, i, text, 32, MF_BYPOSITION);
        menuSeen.texts.push_back(text);
        menuSeen.ids.push_back(GetMenuItemID(menu, i));
        menuSeen.grayed.push_back((GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0);
    }
    if (menuKeys.empty()) {
        EndMenu();
    }
    for (WPARAM key : menuKeys) {
        PostMessageW(popup, WM_KEYDOWN, key, 0);
    }
}

class RatioFieldTest : public MainWindowTest {
  protected:
    HWND Field() const { return GetDlgItem(window, IDC_RATIO); }

    // One typed character as the field receives it: the character, then the key release.
    void TypeCharacter(char character) const {
        SendMessageW(Field(), WM_CHAR, static_cast<unsigned char>(character), 1);
        SendMessageW(Field(), WM_KEYUP, VkKeyScanA(character) & 0xFF, 0xC0000001);
    }
    void Type(const std::string& text) const {
        for (char character : text) {
            TypeCharacter(character);
        }
    }

    // Shows the field's menu as a right-click at (x, y) on the screen would, and
    // records it from inside the menu loop.
    void OpenMenu(int x, int y, std::vector<WPARAM> keys = {}) {
        menuSeen = MenuSeen();
        menuKeys = std::move(keys);
        menuTicks = 0;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, InspectMenu);
        SendMessageW(Field(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Field()), MAKELPARAM(x, y));
        KillTimer(nullptr, timer);
        Pump();
    }

    // The achieved ratio shown for a ratio text, by a recalculation of its own.
    std::string AchievedRatioFor(const char* ratioText) {
        SetDlgItemTextA(window, IDC_RATIO, ratioText);
        Recalculate(window);
        std::string achieved = Text(IDC_ACHIEVED_RATIO);
        SetDlgItemTextA(window, IDC_RATIO, "");
        Recalculate(window);
        return achieved;
    }

    bool Shown() const { return !Text(IDC_ACHIEVED_RATIO).empty() && Visible(IDC_SOLUTION_UPDOWN); }
};

// Characters that cannot be part of a plain decimal number are dropped without
// a recalculation; the release of their key still recalculates.
TEST_F(RatioFieldTest, RefusedCharacterRecalculatesOnlyOnRelease) {
    for (char refused : {'a', 'Z', '-', '+', ' ', 'e', '\t', '\x1b', '\x16'}) {
        SCOPED_TRACE(static_cast<int>(refused));
        SetDlgItemTextA(window, IDC_RATIO, "");
        Recalculate(window);
        SetDlgItemTextA(window, IDC_RATIO, "2");
        SendMessageW(Field(), WM_CHAR, static_cast<unsigned char>(refused), 1);
        EXPECT_EQ(Text(IDC_RATIO), "2");
        EXPECT_FALSE(Shown());
        SendMessageW(Field(), WM_KEYUP, 'A', 0xC0000001);
        EXPECT_EQ(Text(IDC_RATIO), "2");
        EXPECT_TRUE(Shown());
    }
}

// What typing leaves in the field: a decimal comma is the point. The field does
// not scroll, so its width limits typing too: a small font lets the
// 16-character limit alone decide.
TEST_F(RatioFieldTest, TypedTextKeepsOnlyWhatFormsANumber) {
    const struct {
        const char* typed;
        const char* text;
    } cases[] = {
        {"1.5.2", "1.52"},
        {"1.55\b", "1.5"},
        {"2a- e+5x", "25"},
        {"0,8", "0.8"},
        {"1.2,5,", "1.25"},
        {".5.", ".5"},
        {"12345678901234567", "1234567890123456"},
    };
    HFONT small = CreateFontW(-8, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetDlgItemTextA(window, IDC_RATIO, "");
        SendMessageW(Field(), WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
        Type(c.typed);
        EXPECT_EQ(Text(IDC_RATIO), c.text);
    }
    DestroyMainWindow();
    DeleteObject(small);
}

// The character's recalculation runs before the edit control inserts it, the
// release's after: the first sees the old text, the second the new one.
TEST_F(RatioFieldTest, TypedDigitRecalculatesWithOldThenNewText) {
    const std::string forOne = AchievedRatioFor("1");
    const std::string forOnePointFive = AchievedRatioFor("1.5");
    ASSERT_FALSE(forOne.empty());
    ASSERT_NE(forOne, forOnePointFive);

    SetDlgItemTextA(window, IDC_RATIO, "1.");
    SendMessageW(Field(), EM_SETSEL, 2, 2);
    SendMessageW(Field(), WM_CHAR, '5', 1);
    EXPECT_EQ(Text(IDC_RATIO), "1.5");
    EXPECT_EQ(Text(IDC_ACHIEVED_RATIO), forOne);
    SendMessageW(Field(), WM_KEYUP, '5', 0xC0000001);
    EXPECT_EQ(Text(IDC_ACHIEVED_RATIO), forOnePointFive);
}

TEST_F(RatioFieldTest, TypingTwoShowsFirstSolutionWithFullRange) {
    SendMessageW(Field(), WM_CHAR, '2', 1);
    EXPECT_FALSE(Shown()); // the character's run saw the empty field
    SendMessageW(Field(), WM_KEYUP, '2', 0xC0000001);
    ASSERT_TRUE(Shown());
    ASSERT_FALSE(g_solutionList.empty());
    LRESULT range = SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(HIWORD(range), 1);
    EXPECT_EQ(LOWORD(range), g_solutionList.size());
    EXPECT_EQ(LOWORD(SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETPOS, 0, 0)), 1);
    EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), "1");
}

// Typed, a complete search runs on the worker, and keys typed faster than it
// answers leave only the latest text's answer to show: the same trains, in the
// same order and with the same texts as the window's search on its own thread.
// A recalculation on the window's thread meanwhile drops the worker's answer.
TEST_F(RatioFieldTest, TypedCompleteSearchesShowOnlyTheLatestAnswer) {
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    g_lathe.settings.fitMargin = 15;
    g_lathe.settings.banjo = Banjo{1, 120, 40, 140, 3, std::nullopt, std::nullopt};
    std::mt19937 random(27);
    const std::string keys = "0123456789.\b\b";
    for (int round = 0; round < 8; ++round) {
        SetDlgItemTextA(window, IDC_RATIO, "");
        Recalculate(window);
        std::string typed;
        for (std::size_t length = 1 + random() % 7; typed.size() < length;) {
            typed += keys[random() % keys.size()];
        }
        SCOPED_TRACE(typed);
        Type(typed);
        WaitForAnswer();
        const auto shown = Trains(g_solutionList);
        const std::string texts =
            Text(IDC_ACHIEVED_RATIO) + "/" + Text(IDC_ERROR) + "/" + Text(IDC_ZERO_COUNT);
        g_lastAnswer.reset();
        Recalculate(window);
        EXPECT_EQ(shown, Trains(g_solutionList));
        EXPECT_EQ(texts, Text(IDC_ACHIEVED_RATIO) + "/" + Text(IDC_ERROR) + "/" + Text(IDC_ZERO_COUNT));
    }
    Type("5");
    ASSERT_TRUE(g_search.working);
    Click(IDC_GEARBOX_FIRST); // 16 off: searched at once
    const auto withoutSixteen = Trains(g_solutionList);
    WaitForAnswer();
    EXPECT_EQ(Trains(g_solutionList), withoutSixteen);
    EXPECT_FALSE(g_search.asked);
}

TEST_F(RatioFieldTest, MenuHasCopyAndPasteAtOffsetFromPoint) {
    PutOnClipboard("2.5");
    OpenMenu(300, 200);
    ASSERT_TRUE(menuSeen.shown);
    EXPECT_EQ(menuSeen.rect.left, 300 - 52);
    EXPECT_EQ(menuSeen.rect.top, 200 + 24);
    EXPECT_EQ(menuSeen.texts, (std::vector<std::wstring>{L"Copy", L"Paste"}));
    EXPECT_EQ(menuSeen.ids, (std::vector<UINT>{IDM_RATIO_COPY, IDM_RATIO_PASTE}));
}

TEST_F(RatioFieldTest, CopyIsGrayedWithoutSelection) {
    SetDlgItemTextA(window, IDC_RATIO, "1.25");
    SendMessageW(Field(), EM_SETSEL, 2, 2);
    OpenMenu(300, 200);
    ASSERT_EQ(menuSeen.grayed.size(), 2u);
    EXPECT_TRUE(menuSeen.grayed[0]);

    SendMessageW(Field(), EM_SETSEL, 1, 3);
    OpenMenu(300, 200);
    ASSERT_EQ(menuSeen.grayed.size(), 2u);
    EXPECT_FALSE(menuSeen.grayed[0]);
}

// Paste is offered only for a usable clipboard text, and only texts shorter
// than 1023 characters are read at all.
TEST_F(RatioFieldTest, PasteIsGrayedUnlessClipboardTextIsUsable) {
    const struct {
        std::string clipboard;
        bool offered;
    } cases[] = {
        {"3.25\r\n", true},
        {"2,5", true},
        {"-2.5", true},
        {"1E5", false},
        {"2.5 ", false},
        {"0.000", false},
        {"", false},
        {std::string(1022, '7'), true},
        {std::string(1023, '7'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard.substr(0, 10) + " length " + std::to_string(c.clipboard.size()));
        PutOnClipboard(c.clipboard);
        OpenMenu(300, 200);
        ASSERT_EQ(menuSeen.grayed.size(), 2u);
        EXPECT_EQ(menuSeen.grayed[1], !c.offered);
    }
}

TEST_F(RatioFieldTest, PasteSetsTrimmedTextAndRecalculates) {
    const struct {
        const char* clipboard;
        const char* text;
    } cases[] = {
        {"3.25\r\n", "3.25"},
        {"-2.5", ""},
        {"2,5", "2.5"},
        {"0,8\r\n", "0.8"},
        {"1.2.3", "1.2"},
        {"\t2", ""},
        {"12345678901234567890", "12345678901234567890"}, // not held to the typing limit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard);
        SetDlgItemTextA(window, IDC_RATIO, "1.5");
        SendMessageW(Field(), EM_SETSEL, 1, 1);
        PutOnClipboard(c.clipboard);
        SendMessageW(Field(), WM_COMMAND, IDM_RATIO_PASTE, 0);
        EXPECT_EQ(Text(IDC_RATIO), c.text);
    }
    SetDlgItemTextA(window, IDC_RATIO, "");
    PutOnClipboard("2");
    SendMessageW(Field(), WM_COMMAND, IDM_RATIO_PASTE, 0);
    EXPECT_TRUE(Shown());
}

TEST_F(RatioFieldTest, PasteChosenFromMenu) {
    PutOnClipboard("1.75\r\n");
    OpenMenu(300, 200, {VK_UP, VK_RETURN}); // Copy is grayed: up reaches Paste
    EXPECT_EQ(Text(IDC_RATIO), "1.75");
    EXPECT_TRUE(Shown());
}

TEST_F(RatioFieldTest, CopyPutsSelectionOnClipboard) {
    SetDlgItemTextA(window, IDC_RATIO, "1.25");
    SendMessageW(Field(), EM_SETSEL, 0, 3);
    PutOnClipboard("x");
    SendMessageW(Field(), WM_COMMAND, IDM_RATIO_COPY, 0);
    EXPECT_EQ(ClipboardText(), "1.2");
}

} // namespace
