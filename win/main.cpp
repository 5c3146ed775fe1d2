// Program entry and the message loop.
#include "main_window.h"
#include "program_state.h"
#include "resource.h"
#include "window_setup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    RegisterMainWindowClass(instance);
    HWND mainWindow = SetUpWindow(instance, showCommand, GetCommandLineW());
    if (mainWindow == nullptr) {
        return 0;
    }
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_TANDREL));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) {
        // The chart and drawing windows are modeless dialogs: Tab, Enter and Escape there are their own.
        if (!TranslateAcceleratorW(mainWindow, accelerators, &message) &&
            !(g_chart.window != nullptr && IsDialogMessageW(g_chart.window, &message)) &&
            !(g_drawing.window != nullptr && IsDialogMessageW(g_drawing.window, &message))) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
