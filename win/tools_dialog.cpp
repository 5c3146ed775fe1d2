#include "tools_dialog.h"

#include "program_state.h"
#include "ratio_field.h"
#include "wide_text.h"

namespace {

const ToolsDialog* KindOf(HWND dialog) {
    return reinterpret_cast<const ToolsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The kind comes as the dialog's creation parameter and stays in its user slot.
INT_PTR OnInitDialog(HWND dialog, const ToolsDialog& kind) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&kind));
    kind.fill(dialog);
    return TRUE;
}

// OK or Enter (IDOK); Cancel, Escape or the caption's close button (IDCANCEL).
INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
        if (const ToolsDialog* kind = KindOf(dialog)) {
            kind->onOk(dialog);
        }
        return TRUE;
    case IDCANCEL:
        EndToolsDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        if (const ToolsDialog* kind = KindOf(dialog); kind != nullptr && kind->onNotification != nullptr) {
            kind->onNotification(dialog, LOWORD(wParam), HIWORD(wParam));
        }
        return FALSE;
    }
}

INT_PTR OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item) {
    const ToolsDialog* kind = KindOf(dialog);
    if (kind == nullptr || kind->onDrawItem == nullptr) {
        return FALSE;
    }
    kind->onDrawItem(dialog, item);
    return TRUE;
}

INT_PTR CALLBACK ToolsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, *reinterpret_cast<const ToolsDialog*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    case WM_DRAWITEM:
        return OnDrawItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default:
        return FALSE;
    }
}

} // namespace

void OpenToolsDialog(HWND mainWindow, const ToolsDialog& kind) {
    DialogBoxParamW(g_instance, MAKEINTRESOURCEW(kind.templateId), mainWindow, ToolsDialogProc,
                    reinterpret_cast<LPARAM>(&kind));
}

// Read whole and as UTF-16, so that a typed "×" reaches the core as itself.
std::string DialogFieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

// The dialog's own focus change selects an edit field's whole text.
void RejectField(HWND dialog, int id, int lineId, const std::string& why) {
    SetDlgItemTextW(dialog, lineId, WideFromUtf8(why).c_str());
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
    MessageBeep(MB_OK);
}

// The dialogs are owned by the main window, so their parent is the main window.
HWND EndToolsDialog(HWND dialog, int result) {
    HWND mainWindow = GetParent(dialog);
    EndDialog(dialog, result);
    FocusRatioField(mainWindow);
    return mainWindow;
}
