// The real main window, created in the test process and driven as the platform
// would drive it.
//
// MainWindowTest registers the window class once and, before each test, creates
// the main window with SetUpWindow(GetModuleHandleW(nullptr), SW_SHOW, "tandrel.exe")
// (the default gear set). A test that needs another command line calls
// StartWindow("tandrel.exe 0011"), which destroys the current window first.
// After each test the window is destroyed and the message queue drained (the
// quit message that WM_DESTROY posts included).
//
// Under Wine, tests/window/CMakeLists.txt makes the test prefix's windows
// unmanaged (no window manager runs on the virtual display), so destroying a
// window does not wait two seconds for a manager's answer.
//
// Helpers:
//   Pump()              handles every pending message, as the program's loop does
//   RunMessageLoop(ms)  the program's loop (accelerators first) for ms milliseconds
//   Text(id)            the text of a control of the main window, in UTF-8
//   Click(id)           BM_CLICK on a gear box or option box
//   Checked(id)         BM_GETCHECK == BST_CHECKED
//   Visible(id)         IsWindowVisible of a control
//   FocusId()           identifier of the control with the keyboard focus (0 if none)
//   WaitForFocus(id)    runs the loop until control id has the focus, at most 1 s:
//                       under X11 an activation may arrive a moment after its cause
//   ClipboardText()     the CF_TEXT on the clipboard ("" if none)
//   WaitForAnswer()     runs the loop until the search worker has answered
//                       every typed ratio and ended, at most 10 s
//   EnterRatio(text)    sets the ratio field's text, then clicks gear box 16 twice
//                       (a recalculation each time; the stock ends as it was)
//   StepUpDown(+1/-1)   a left-button press and release on the solution
//                       up-down's right (+1) or left (-1) arrow
//   PressKeys({...})    real key presses through the system's input queue
//                       (SendInput), pressed in order and released in reverse,
//                       with the main window in the foreground; false when the
//                       window cannot take the foreground. Follow it with
//                       RunMessageLoop so the keys pass through the program's loop.
//   OnNextDialog(f)     calls f(dialog) from a thread timer once a dialog of this
//                       thread is open: use it before an action that opens a modal
//                       dialog, so the test can act inside the dialog's own loop.
//                       A dialog still open ~2 s after f ran is ended with -1 and
//                       DialogForcedClosed() reports it, so a test never hangs.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Destroys the current main window (if any) and creates a new one. The
    // 8-bit command line's bytes are taken as the first 256 code points.
    void StartWindow(const char* commandLine);
    void StartWindow(const std::wstring& commandLine);
    void DestroyMainWindow();

    void Pump();
    void RunMessageLoop(DWORD milliseconds);
    void WaitForAnswer();

    std::string Text(int id) const;
    void Click(int id) const;
    bool Checked(int id) const;
    bool Visible(int id) const;
    int FocusId() const;
    void WaitForFocus(int id);

    void EnterRatio(const char* text) const;
    void StepUpDown(int direction) const;

    bool PressKeys(std::initializer_list<WORD> virtualKeys);

    static std::string ClipboardText();
    static void PutOnClipboard(const std::string& text);

    static void OnNextDialog(std::function<void(HWND dialog)> action);
    static bool DialogForcedClosed();

    HWND window = nullptr;
    HACCEL accelerators = nullptr;
};
