// The main window's commands, accelerators, About box, activation and end.
#include "window_fixture.h"

#include "gear_box_id.h"
#include "program_state.h"
#include "resource.h"
#include "version.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string WindowText(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

} // namespace

using CommandsTest = MainWindowTest;

enum class Opener { Menu, AltSlash, AltQuestionMark };

struct AboutCase {
    const char* name;
    Opener opener;
    void (*close)(HWND dialog);
};

class AboutBoxTest : public MainWindowTest, public ::testing::WithParamInterface<AboutCase> {
  protected:
    // The accelerator cases type real keys, which pass through the message
    // loop's accelerator translation.
    bool Open(Opener opener) {
        switch (opener) {
        case Opener::Menu:
            return PostMessageW(window, WM_COMMAND, IDM_ABOUT, 0) != FALSE;
        case Opener::AltSlash:
            return PressKeys({VK_MENU, VK_OEM_2});
        case Opener::AltQuestionMark:
            return PressKeys({VK_MENU, VK_SHIFT, VK_OEM_2});
        }
        return false;
    }
};

const AboutCase kAboutCases[] = {
    {"MenuThenOk", Opener::Menu, [](HWND d) { SendDlgItemMessageW(d, IDOK, BM_CLICK, 0, 0); }},
    {"AltSlashThenEnter", Opener::AltSlash, [](HWND) { PostKey(GetFocus(), VK_RETURN); }},
    {"AltQuestionMarkThenEscape", Opener::AltQuestionMark, [](HWND) { PostKey(GetFocus(), VK_ESCAPE); }},
    {"MenuThenCloseButton", Opener::Menu, [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

TEST_P(AboutBoxTest, OpensOverTheWindowAndClosesWithTheFocusBackInTheRatioField) {
    const AboutCase& about = GetParam();
    bool opened = false;
    OnNextDialog([&](HWND dialog) {
        opened = true;
        EXPECT_EQ(WindowText(dialog), "About Tandrel");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
        EXPECT_FALSE(IsWindowEnabled(window)); // modal
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "OK");
        HWND icon = GetWindow(dialog, GW_CHILD);
        EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
        EXPECT_EQ(WindowText(GetWindow(icon, GW_HWNDNEXT)), "Tandrel, Version " TANDREL_VERSION);
        // Over the main window's top-left corner (the platform decides the last pixels).
        RECT box, outer;
        GetWindowRect(dialog, &box);
        GetWindowRect(window, &outer);
        EXPECT_LE(std::abs(box.left - outer.left), 30);
        EXPECT_LE(std::abs(box.top - outer.top), 60);
        about.close(dialog);
    });
    if (!Open(about.opener)) {
        GTEST_SKIP() << "the test window cannot take the foreground here";
    }
    RunMessageLoop(300);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(DialogForcedClosed());
    EXPECT_TRUE(IsWindowEnabled(window));
    WaitForFocus(IDC_RATIO); // the main window's activation, once the box is gone
    EXPECT_EQ(FocusId(), IDC_RATIO);
    EXPECT_EQ(Text(IDC_RATIO), ""); // the accelerator's character never reached the field
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxTest, ::testing::ValuesIn(kAboutCases),
                         [](const ::testing::TestParamInfo<AboutCase>& info) { return info.param.name; });

TEST_F(CommandsTest, CopyGearSetPutsTheCheckedSetOnTheClipboard) {
    const std::string defaultSet = std::string(4, '0') + std::string(80, '1') + std::string(66, '0');
    SendMessageW(window, WM_COMMAND, IDM_COPY_GEAR_SET, 0);
    EXPECT_EQ(ClipboardText(), defaultSet);
    // Owned by the main window: Windows refuses data on a clipboard emptied without an owner.
    EXPECT_EQ(GetClipboardOwner(), window);

    Click(GearBoxId(16));
    Click(GearBoxId(165));
    Click(GearBoxId(20));
    SendMessageW(window, WM_COMMAND, IDM_COPY_GEAR_SET, 0);
    const std::string changed = ClipboardText();
    EXPECT_EQ(changed, "1000" + std::string(1, '0') + std::string(79, '1') + std::string(65, '0') + "1");

    // Given back as the command line's last word, it brings the same boxes back.
    StartWindow(("tandrel.exe " + changed).c_str());
    SendMessageW(window, WM_COMMAND, IDM_COPY_GEAR_SET, 0);
    EXPECT_EQ(ClipboardText(), changed);

    StartWindow("tandrel.exe 0");
    SendMessageW(window, WM_COMMAND, IDM_COPY_GEAR_SET, 0);
    EXPECT_EQ(ClipboardText(), std::string(150, '0'));
}

TEST_F(CommandsTest, CopyGearSetLeavesABusyClipboardAlone) {
    PutOnClipboard("before");
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        // The clipboard is held by a window of another thread.
        HWND owner =
            CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        EXPECT_TRUE(OpenClipboard(owner));
        SetEvent(opened);
        WaitForSingleObject(release, 5000);
        CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 5000);
    SendMessageW(window, WM_COMMAND, IDM_COPY_GEAR_SET, 0);
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(CommandsTest, UnlistedCommandsAndNotificationsChangeNothing) {
    EnterRatio("1.2345");
    StepUpDown(+1);
    StepUpDown(+1);
    auto snapshot = [this] {
        std::vector<std::string> state;
        for (int id : {IDC_RATIO, IDC_FIRST_DRIVER, IDC_FIRST_DRIVEN, IDC_SECOND_DRIVER, IDC_SECOND_DRIVEN,
                       IDC_ACHIEVED_RATIO, IDC_ERROR, IDC_ZERO_COUNT, IDC_SOLUTION_COUNTER}) {
            state.push_back(Text(id));
        }
        state.push_back(Visible(IDC_SOLUTION_UPDOWN) ? "shown" : "hidden");
        state.push_back(std::to_string(g_solutionList.size()));
        return state;
    };
    const auto before = snapshot();
    PutOnClipboard("untouched");

    for (WPARAM command : {WPARAM{0}, WPARAM{103}, WPARAM{107}, MAKEWPARAM(IDC_RATIO, EN_CHANGE),
                           WPARAM{3003}, WPARAM{3999}, WPARAM{4150}, WPARAM{5002}}) {
        EXPECT_EQ(SendMessageW(window, WM_COMMAND, command, 0), 0) << command;
    }
    NMHDR click = {GetDlgItem(window, IDC_SOLUTION_UPDOWN), IDC_SOLUTION_UPDOWN, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, IDC_SOLUTION_UPDOWN, reinterpret_cast<LPARAM>(&click)), 0);
    NMUPDOWN otherStep = {{GetDlgItem(window, IDC_SOLUTION_UPDOWN), IDC_SOLUTION_UPDOWN, UDN_DELTAPOS}, 3, 5};
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, IDC_SOLUTION_UPDOWN, reinterpret_cast<LPARAM>(&otherStep)), 0);
    Pump();

    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(ClipboardText(), "untouched");
}

TEST_F(CommandsTest, ExitEmptiesTheSolutionListAndQuitsWithZero) {
    EnterRatio("1.2345");
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_EQ(SendMessageW(window, WM_COMMAND, IDM_EXIT, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(g_solutionList.empty());
    EXPECT_EQ(g_solutionList.capacity(), 0u);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(CommandsTest, ACloseRequestEndsTheProgramToo) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(CommandsTest, ActivationPutsTheFocusIntoTheRatioField) {
    HWND other = CreateWindowExW(0, L"Static", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetActiveWindow(other);
    Pump();
    EXPECT_EQ(GetActiveWindow(), other); // switching away is not pulled back
    EXPECT_NE(FocusId(), IDC_RATIO);

    SetActiveWindow(window);
    Pump();
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(FocusId(), IDC_RATIO);
    DestroyWindow(other);
}

TEST_F(CommandsTest, SwitchingToAnotherProgramAndBackFocusesTheRatioField) {
    SetForegroundWindow(window);
    Pump();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION other{};
    wchar_t commandLine[] = L"notepad.exe";
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &other)) {
        GTEST_SKIP() << "no other program to switch to";
    }
    WaitForInputIdle(other.hProcess, 5000);
    RunMessageLoop(1000);
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    EXPECT_EQ(foregroundProcess, other.dwProcessId); // the switch away was not pulled back

    SetForegroundWindow(window);
    RunMessageLoop(200);
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(FocusId(), IDC_RATIO);
    TerminateProcess(other.hProcess, 0);
    CloseHandle(other.hThread);
    CloseHandle(other.hProcess);
}
