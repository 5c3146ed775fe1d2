// The main window class and procedure (command routing, focus return, end of
// the program) and the About box.
#include "app/main_window.h"

#include "app/program_state.h"
#include "app/resource.h"
#include "calc/recalculate.h"
#include "stock/gear_set_copy.h"
#include "view/navigation.h"
#include "view/paint.h"

#include <commctrl.h>

#include <vector>

namespace {

void FocusRatioField(HWND mainWindow) {
    SetFocus(GetDlgItem(mainWindow, IDC_RATIO));
}

LRESULT OnPaint(HWND window) {
    PaintMainWindow(window);
    return 0;
}

LRESULT OnNotify(HWND window, const NMHDR& header) {
    if (header.code == UDN_DELTAPOS) {
        StepSolution(window, reinterpret_cast<const NMUPDOWN&>(header));
    }
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id >= IDC_GEARBOX_FIRST && id <= IDC_GEARBOX_LAST) {
        // The box has toggled itself already.
        checkedGears[id - IDC_GEARBOX_FIRST] =
            SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Recalculate(window);
        FocusRatioField(window);
        return 0;
    }
    switch (id) {
    case IDC_FIRST_DRIVER_SMALLER:
    case IDC_FIRST_DRIVEN_LARGER:
        ShowCurrentSolutionAgain(window);
        return 0;
    case IDM_ABOUT:
        DialogBoxParamW(instanceHandle, MAKEINTRESOURCEW(IDD_ABOUTBOX), window, AboutBoxProc, 0);
        return 0;
    case IDM_EXIT:
        DestroyWindow(window);
        return 0;
    case IDM_COPY_GEAR_SET:
        CopyGearSet(window);
        return 0;
    default:
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
}

LRESULT OnDestroy() {
    std::vector<SolutionRecord>().swap(solutionList); // empty, and its storage given back
    PostQuitMessage(0);
    return 0;
}

// Activation and deactivation alike put the focus back into the ratio field.
// (Tried under Wine: on deactivation this neither takes the activation back
// nor keeps the user from switching to another program.)
LRESULT OnActivate(HWND window) {
    FocusRatioField(window);
    return 0;
}

} // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
    LoadStringW(instance, IDS_APP_TITLE, windowTitle, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, windowClassName, 100);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TANDREL));
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)); // an ordinal, not text
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDC_TANDREL);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExW(&windowClass);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return OnPaint(window);
    case WM_NOTIFY:
        return OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy();
    case WM_ACTIVATE:
        return OnActivate(window);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            SetFocus(GetDlgItem(GetParent(dialog), IDC_RATIO));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
