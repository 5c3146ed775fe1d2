// The About box: the version, and OK, Enter or Escape to close it.
#include "about_box.h"

#include "program_state.h"
#include "ratio_field.h"
#include "resource.h"

namespace {

// The platform gives the focus to the first control that takes it, the OK button.
INT_PTR OnInitDialog() {
    return TRUE;
}

// OK or Enter (IDOK), Escape or the caption's close button (IDCANCEL).
INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) {
        return FALSE;
    }
    EndDialog(dialog, id);
    FocusRatioField(GetParent(dialog));
    return TRUE;
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace

void OpenAboutBox(HWND mainWindow) {
    DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), mainWindow, AboutBoxProc, 0);
}
