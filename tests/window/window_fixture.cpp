#include "window_fixture.h"

#include "main_window.h"
#include "program_state.h"
#include "resource.h"
#include "wide_text.h"
#include "window_setup.h"

#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace {

std::function<void(HWND)> pendingDialogAction;
bool dialogActionRan = false;
int ticksSinceAction = 0;
bool dialogForcedClosed = false;
UINT_PTR dialogTimer = 0;

// A modal dialog of this thread: the chart and drawing windows are dialogs
// too, but modeless ones that stay open beside the dialogs the tests answer.
BOOL CALLBACK FindDialog(HWND candidate, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(candidate, className, 16);
    if (std::wcscmp(className, L"#32770") == 0 && IsWindowVisible(candidate) && candidate != g_chart.window &&
        candidate != g_drawing.window) {
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND OpenDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

void StopDialogTimer() {
    if (dialogTimer != 0) {
        KillTimer(nullptr, dialogTimer);
        dialogTimer = 0;
    }
}

void CALLBACK DialogTimerTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = OpenDialog();
    if (!dialogActionRan) {
        if (dialog != nullptr) {
            dialogActionRan = true;
            auto action = std::move(pendingDialogAction);
            pendingDialogAction = nullptr;
            action(dialog);
        }
        return;
    }
    if (dialog == nullptr) {
        StopDialogTimer();
    } else if (++ticksSinceAction > 100) {
        dialogForcedClosed = true;
        EndDialog(dialog, -1);
        StopDialogTimer();
    }
}

} // namespace

// The tests' own HKEY_CURRENT_USER, a key of this process's, so that the
// recent lathes they open neither meet nor touch the prefix's own.
class OwnCurrentUser : public ::testing::Environment {
  public:
    void SetUp() override {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, Name().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, key);
        RegCloseKey(key);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, Name().c_str());
    }

  private:
    static std::wstring Name() {
        return L"Software\\TandrelTests\\" + std::to_wstring(GetCurrentProcessId());
    }
};

[[maybe_unused]] const auto* const ownCurrentUser = ::testing::AddGlobalTestEnvironment(new OwnCurrentUser);

void MainWindowTest::SetUpTestSuite() {
    static bool registered = false;
    if (!registered) {
        RegisterMainWindowClass(GetModuleHandleW(nullptr));
        registered = true;
    }
}

void MainWindowTest::SetUp() {
    accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_TANDREL));
    dialogForcedClosed = false;
    StartWindow("tandrel.exe");
}

void MainWindowTest::TearDown() {
    StopDialogTimer();
    pendingDialogAction = nullptr;
    DestroyMainWindow();
    // The Tools settings and the lathe as a new run starts with them.
    g_threadLine = {};
    g_lathe = {};
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tandrel");
}

void MainWindowTest::StartWindow(const char* commandLine) {
    std::wstring wide;
    for (const unsigned char c : std::string_view(commandLine)) {
        wide += static_cast<wchar_t>(c);
    }
    StartWindow(wide);
}

void MainWindowTest::StartWindow(const std::wstring& commandLine) {
    DestroyMainWindow();
    window = SetUpWindow(GetModuleHandleW(nullptr), SW_SHOW, commandLine);
    ASSERT_NE(window, nullptr);
    Pump();
}

void MainWindowTest::DestroyMainWindow() {
    if (window != nullptr && IsWindow(window)) {
        DestroyWindow(window);
    }
    window = nullptr;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            DispatchMessageW(&message);
        }
    }
}

void MainWindowTest::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // left for the test to see
            return;
        }
        if (!TranslateAcceleratorW(window, accelerators, &message) &&
            !(g_chart.window != nullptr && IsDialogMessageW(g_chart.window, &message)) &&
            !(g_drawing.window != nullptr && IsDialogMessageW(g_drawing.window, &message))) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void MainWindowTest::RunMessageLoop(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
    Pump();
}

void MainWindowTest::WaitForAnswer() {
    for (const DWORD start = GetTickCount(); g_search.working && GetTickCount() - start < 10000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        Pump();
    }
}

std::string MainWindowTest::Text(int id) const {
    wchar_t buffer[256] = {};
    GetDlgItemTextW(window, id, buffer, 256);
    return Utf8FromWide(buffer);
}

void MainWindowTest::Click(int id) const {
    SendDlgItemMessageW(window, id, BM_CLICK, 0, 0);
}

bool MainWindowTest::Checked(int id) const {
    return SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MainWindowTest::Visible(int id) const {
    return IsWindowVisible(GetDlgItem(window, id)) != FALSE;
}

int MainWindowTest::FocusId() const {
    HWND focus = GetFocus();
    return focus == nullptr ? 0 : GetDlgCtrlID(focus);
}

void MainWindowTest::WaitForFocus(int id) {
    for (int wait = 0; wait < 100 && FocusId() != id; ++wait) {
        RunMessageLoop(10);
    }
}

void MainWindowTest::EnterRatio(const char* text) const {
    SetDlgItemTextA(window, IDC_RATIO, text);
    Click(IDC_GEARBOX_FIRST);
    Click(IDC_GEARBOX_FIRST);
}

// The up-down is 40 pixels wide: the left arrow fills its left half.
void MainWindowTest::StepUpDown(int direction) const {
    const LPARAM point = MAKELPARAM(direction > 0 ? 30 : 10, 10);
    SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, WM_LBUTTONUP, 0, point);
}

bool MainWindowTest::PressKeys(std::initializer_list<WORD> virtualKeys) {
    SetForegroundWindow(window);
    Pump();
    if (GetForegroundWindow() != window) {
        return false;
    }
    std::vector<INPUT> inputs;
    for (WORD key : virtualKeys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

std::string MainWindowTest::ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void MainWindowTest::PutOnClipboard(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, block) == nullptr) {
        GlobalFree(block);
    }
    CloseClipboard();
}

void MainWindowTest::OnNextDialog(std::function<void(HWND dialog)> action) {
    StopDialogTimer();
    pendingDialogAction = std::move(action);
    dialogActionRan = false;
    ticksSinceAction = 0;
    dialogTimer = SetTimer(nullptr, 0, 20, DialogTimerTick);
}

bool MainWindowTest::DialogForcedClosed() {
    return dialogForcedClosed;
}
