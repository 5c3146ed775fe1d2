// The main window as set-up leaves it: layout, fonts, check states, nothing calculated.
#include "window_fixture.h"

#include "gear_box_id.h"
#include "program_state.h"
#include "resource.h"
#include "thread.h"
#include "wide_text.h"
#include "window_setup.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

RECT ClientRectOf(HWND mainWindow, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(mainWindow, id), &rect);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND mainWindow, int id) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(mainWindow, id, WM_GETFONT, 0, 0));
    EXPECT_NE(handle, nullptr) << "control " << id;
    GetObjectW(handle, sizeof font, &font);
    return font;
}

std::string CheckedSet(HWND mainWindow) {
    std::string set;
    for (int id = IDC_GEARBOX_FIRST; id <= IDC_GEARBOX_LAST; ++id) {
        set += SendDlgItemMessageW(mainWindow, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
    }
    return set;
}

} // namespace

using StartUpTest = MainWindowTest;

TEST_F(StartUpTest, MainWindowHasFixedFrameTitleMenuAndPlace) {
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 400);
    EXPECT_EQ(outer.top, 200);
    EXPECT_EQ(outer.right - outer.left, 570);
    EXPECT_EQ(outer.bottom - outer.top, 630);

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_DLGFRAME);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(IsWindowVisible(window));

    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    EXPECT_STREQ(title, L"Tandrel");
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    EXPECT_STREQ(className, L"TANDREL");

    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 2), 0), static_cast<UINT>(IDM_ABOUT));
    // File and Tools, their texts read back as UTF-16 (the resource file is UTF-8);
    // without a recent lathe one separator stands before Exit.
    const std::vector<std::pair<UINT, const wchar_t*>> items[2] = {
        {{IDM_OPEN_LATHE, L"&Open lathe\u2026\tCtrl+O"},
         {IDM_SAVE_LATHE, L"&Save lathe\tCtrl+S"},
         {IDM_SAVE_LATHE_AS, L"Save lathe &As\u2026"},
         {0, L""},
         {IDM_EXIT, L"E&xit"}},
        {{IDM_THREAD, L"&Thread\u2026\tCtrl+T"},
         {IDM_EVERY_TRAIN, L"&Every train"},
         {static_cast<UINT>(-1), L"T&rain"}, // the submenu of train kinds
         {IDM_FIT, L"&Fit\u2026"},
         {IDM_BANJO, L"&Banjo\u2026"},
         {IDM_GEARBOX, L"Gear&box\u2026"},
         {IDM_GEARS, L"&Gears\u2026"},
         {IDM_CHART, L"C&hart\u2026\tCtrl+H"},
         {IDM_DRAWING, L"&Drawing\u2026\tCtrl+D"}},
    };
    for (int m = 0; m < 2; ++m) {
        HMENU popup = GetSubMenu(menu, m);
        ASSERT_EQ(static_cast<std::size_t>(GetMenuItemCount(popup)), items[m].size());
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            wchar_t text[32] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
            EXPECT_EQ(GetMenuItemID(popup, i), items[m][i].first);
            EXPECT_STREQ(text, items[m][i].second);
        }
    }
    HMENU tools = GetSubMenu(menu, 1);
    EXPECT_FALSE(GetMenuState(tools, IDM_EVERY_TRAIN, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(StartUpTest, GearBoxesStandInTheGridWithTheirFonts) {
    struct Expected {
        unsigned tooth;
        LONG x, y;
        LONG fontWidth; // 0 regular, 7 narrow
    };
    const Expected cases[] = {
        {16, 20, 150, 0},  {30, 20, 500, 0},   {31, 70, 150, 0},
        {99, 270, 350, 0}, {100, 270, 375, 7}, {165, 470, 500, 7},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.tooth);
        const int id = GearBoxId(c.tooth);
        const RECT rect = ClientRectOf(window, id);
        EXPECT_EQ(rect.left, c.x);
        EXPECT_EQ(rect.top, c.y);
        EXPECT_EQ(rect.right - rect.left, 45);
        EXPECT_EQ(rect.bottom - rect.top, 25);
        EXPECT_EQ(Text(id), std::to_string(c.tooth));
        const LOGFONTW font = FontOf(window, id);
        EXPECT_EQ(font.lfWidth, c.fontWidth);
        EXPECT_EQ(font.lfHeight, -16);
        EXPECT_EQ(font.lfWeight, 100);
        EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);
        EXPECT_STREQ(font.lfFaceName, L"Segoe UI");
    }
    // The tooth fields and option boxes share the narrow font, the result fields the regular one.
    EXPECT_EQ(FontOf(window, IDC_FIRST_DRIVER).lfWidth, 7);
    EXPECT_EQ(FontOf(window, IDC_FIRST_DRIVEN_LARGER).lfWidth, 7);
    EXPECT_EQ(FontOf(window, IDC_ERROR).lfWidth, 0);
}

TEST_F(StartUpTest, NoControlTakesTabAndTheRatioFieldTakesSixteenCharacters) {
    for (HWND control = GetWindow(window, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        EXPECT_FALSE(GetWindowLongPtrW(control, GWL_STYLE) & (WS_TABSTOP | WS_GROUP))
            << GetDlgCtrlID(control);
    }
    EXPECT_EQ(SendDlgItemMessageW(window, IDC_RATIO, EM_GETLIMITTEXT, 0, 0), 16);
}

TEST_F(StartUpTest, NothingIsCalculatedAndTheRatioFieldHasTheFocus) {
    EXPECT_TRUE(Checked(IDC_FIRST_DRIVER_SMALLER));
    EXPECT_TRUE(Checked(IDC_FIRST_DRIVEN_LARGER));
    for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
        EXPECT_EQ(Text(id), "") << id;
    }
    EXPECT_EQ(Text(IDC_RATIO), "");
    EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), "1");
    EXPECT_FALSE(Visible(IDC_SOLUTION_COUNTER));
    EXPECT_FALSE(Visible(IDC_SOLUTION_UPDOWN));
    EXPECT_FALSE(Visible(IDC_THREAD_LINE));
    EXPECT_TRUE(g_solutionList.empty());
    // Under X11 the new window may be activated a moment after set-up returns;
    // its activation puts the focus into the ratio field too.
    WaitForFocus(IDC_RATIO);
    EXPECT_EQ(FocusId(), IDC_RATIO);
    for (unsigned tooth = 16; tooth <= 165; ++tooth) {
        EXPECT_EQ(g_multiplicityTable[tooth], 1u) << tooth;
    }
}

TEST_F(StartUpTest, SolutionUpDownSendsItsPositionToTheCounterOneStepAtATime) {
    HWND upDown = GetDlgItem(window, IDC_SOLUTION_UPDOWN);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)),
              GetDlgItem(window, IDC_SOLUTION_COUNTER));
    UDACCEL accel[4] = {};
    EXPECT_EQ(SendMessageW(upDown, UDM_GETACCEL, 4, reinterpret_cast<LPARAM>(accel)), 1);
    EXPECT_EQ(accel[0].nSec, 0u);
    EXPECT_EQ(accel[0].nInc, 1u);
    const LONG_PTR style = GetWindowLongPtrW(upDown, GWL_STYLE);
    EXPECT_EQ(style &
                  (UDS_HORZ | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_WRAP | UDS_AUTOBUDDY | UDS_ALIGNRIGHT),
              UDS_HORZ | UDS_ARROWKEYS | UDS_SETBUDDYINT);
}

TEST_F(StartUpTest, CommandLineChoosesTheCheckedGearBoxes) {
    const std::string defaultSet = std::string(4, '0') + std::string(80, '1') + std::string(66, '0');
    EXPECT_EQ(CheckedSet(window), defaultSet);

    StartWindow("\"C:\\Program Files\\tandrel.exe\" 0011");
    EXPECT_EQ(CheckedSet(window), "0011" + std::string(146, '0'));

    StartWindow("tandrel.exe \"0011\"");
    EXPECT_EQ(CheckedSet(window), "0001100" + std::string(143, '0'));
}

TEST_F(StartUpTest, TheShowCommandReachesTheWindow) {
    DestroyMainWindow();
    window = SetUpWindow(GetModuleHandleW(nullptr), SW_SHOWMINNOACTIVE, L"tandrel.exe");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsIconic(window));
}

TEST_F(StartUpTest, WithoutItsWindowClassSetUpReportsFailure) {
    DestroyMainWindow();
    wchar_t registered[100];
    std::copy(std::begin(g_windowClassName), std::end(g_windowClassName), registered);
    std::wcscpy(g_windowClassName, L"NOT REGISTERED");
    window = SetUpWindow(GetModuleHandleW(nullptr), SW_SHOW, L"tandrel.exe");
    std::copy(std::begin(registered), std::end(registered), g_windowClassName);
    EXPECT_EQ(window, nullptr);
}

TEST_F(StartUpTest, TheWindowIsPaintedBeforeAnyMessageIsHandled) {
    DestroyMainWindow();
    window = SetUpWindow(GetModuleHandleW(nullptr), SW_SHOW, L"tandrel.exe");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

// The texts fit their boxes with the fonts this machine has (on Linux, the
// prefix maps "Segoe UI" to Liberation Sans): the option captions are not cut,
// a long thread line wraps within its box, and a typed ratio of the full 16
// characters is taken whole.
TEST_F(StartUpTest, TheOptionCaptionsThreadLineAndSixteenCharacterRatioFitTheirBoxes) {
    for (int id : {IDC_FIRST_DRIVER_SMALLER, IDC_FIRST_DRIVEN_LARGER}) {
        HWND box = GetDlgItem(window, id);
        HDC dc = GetDC(box);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
        const std::string caption = Text(id);
        SIZE extent{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(box, dc);
        RECT client;
        GetClientRect(box, &client);
        // Beside the check mark at the box's left end.
        EXPECT_LE(extent.cx + GetSystemMetrics(SM_CXMENUCHECK), client.right) << caption;
    }
    // A long thread line wraps within its three rows, in the band below the gear grid.
    HWND line = GetDlgItem(window, IDC_THREAD_LINE);
    RECT client, text, mainClient;
    GetClientRect(line, &client);
    text = client;
    HDC dc = GetDC(line);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
    // The longest the line says: a designation with many starts, a fixed ratio and the nearest train.
    Thread thread;
    ReadPitch("1-1/2-12 UNF", thread.pitch);
    thread.starts = 12;
    thread.leadscrew = {0.123456, PitchUnit::Inch};
    thread.fixed = 0.123456;
    const std::wstring longest = WideFromUtf8(
        DescribeNoTrain(thread, {kThreadTolerance, {{0, 127, 165, 118, 163}}}, "127 163 165 118"));
    DrawTextW(dc, longest.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, previous);
    ReleaseDC(line, dc);
    EXPECT_LE(text.bottom, client.bottom);
    GetClientRect(window, &mainClient);
    EXPECT_GE(ClientRectOf(window, IDC_THREAD_LINE).top, ClientRectOf(window, GearBoxId(30)).bottom);
    EXPECT_LE(ClientRectOf(window, IDC_THREAD_LINE).bottom, mainClient.bottom);

    HWND field = GetDlgItem(window, IDC_RATIO);
    for (char c : std::string("1.52123456789012")) {
        SendMessageW(field, WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    EXPECT_EQ(Text(IDC_RATIO), "1.52123456789012");
}
