// The ratio field's replacement procedure: it lets through only what can form
// a plain decimal number (a comma as its point), recalculates on every accepted character and key
// release, and replaces the edit control's context menu with Copy and Paste.
#include "ratio_field.h"

#include "paste_rules.h"
#include "program_state.h"
#include "recalculate.h"
#include "replacement.h"
#include "resource.h"

#include <cstring>

namespace {

// Clipboard texts of this many characters or more are not read at all.
constexpr std::size_t kClipboardTextLimit = 1023;
constexpr std::size_t kWorkBufferSize = 1024;

// Reads the clipboard's CF_TEXT into buffer (which the caller has emptied).
// The buffer stays empty when the clipboard cannot be opened, holds no text,
// or holds a text that is too long or not terminated within its block.
void ReadClipboardText(HWND field, char (&buffer)[kWorkBufferSize]) {
    if (!OpenClipboard(field)) {
        return;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) {
        // Another program may have put an unterminated block on the clipboard:
        // never look past its end.
        std::size_t bound = GlobalSize(data);
        if (bound > kWorkBufferSize) {
            bound = kWorkBufferSize;
        }
        std::size_t length = strnlen(text, bound);
        if (length < bound && length < kClipboardTextLimit) {
            std::memcpy(buffer, text, length);
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
}

LRESULT PassOn(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(KeptProcedure(field, g_keptRatioFieldProcedure), field, message, wParam, lParam);
}

bool HoldsDecimalPoint(HWND field) {
    char text[18] = {};
    GetWindowTextA(field, text, sizeof text);
    return std::strchr(text, '.') != nullptr;
}

// The recalculation runs before the edit control inserts the character, so it
// still sees the old text; the key release that follows sees the new one. A
// decimal comma is typed as the point.
LRESULT OnCharacter(HWND field, WPARAM code, LPARAM lParam) {
    if (code == ',') {
        code = '.';
    }
    bool digit = code >= '0' && code <= '9';
    bool accepted = digit || code == '\b' || code == '\r' || (code == '.' && !HoldsDecimalPoint(field));
    if (!accepted) {
        return 0;
    }
    g_threadLine.ratioText.clear(); // typing hides the thread line
    RecalculateTyped(GetParent(field));
    return PassOn(field, WM_CHAR, code, lParam);
}

LRESULT OnKeyRelease(HWND field, WPARAM wParam, LPARAM lParam) {
    RecalculateTyped(GetParent(field));
    return PassOn(field, WM_KEYUP, wParam, lParam);
}

// The menu's corner is placed at a fixed offset from the requested point.
LRESULT OnContextMenu(HWND field, LPARAM lParam) {
    char clipboardText[kWorkBufferSize] = {};
    ReadClipboardText(field, clipboardText);
    int x = static_cast<int>(static_cast<unsigned>(lParam) & 0xFFFFu);
    int y = static_cast<int>((static_cast<unsigned>(lParam) >> 16) & 0xFFFFu);

    HMENU menu = CreatePopupMenu();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    AppendMenuW(menu, MF_STRING | (start < end ? MF_ENABLED : MF_GRAYED), IDM_RATIO_COPY, L"Copy");
    AppendMenuW(menu, MF_STRING | (PassesPasteTest(clipboardText) ? MF_ENABLED : MF_GRAYED), IDM_RATIO_PASTE,
                L"Paste");
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, x - 52, y + 24, 0, field, nullptr);
    DestroyMenu(menu);
    return 0;
}

LRESULT OnPaste(HWND field) {
    char clipboardText[kWorkBufferSize] = {};
    ReadClipboardText(field, clipboardText);
    g_threadLine.ratioText.clear(); // a paste hides the thread line
    WriteRatioField(GetParent(field), PasteTrim(clipboardText));
    return 0;
}

// The field's own menu sends its commands to the field; anything else goes on.
LRESULT OnCommand(HWND field, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDM_RATIO_COPY:
        SendMessageW(field, WM_COPY, 0, 0);
        return 0;
    case IDM_RATIO_PASTE:
        return OnPaste(field);
    default:
        return PassOn(field, WM_COMMAND, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK RatioFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        return OnCharacter(field, wParam, lParam);
    case WM_KEYUP:
        return OnKeyRelease(field, wParam, lParam);
    case WM_CONTEXTMENU:
        return OnContextMenu(field, lParam);
    case WM_COMMAND:
        return OnCommand(field, wParam, lParam);
    default:
        return PassOn(field, message, wParam, lParam);
    }
}

// The text is set directly, so it is not held to the typing limit.
void WriteRatioField(HWND mainWindow, const std::string& text) {
    HWND field = GetDlgItem(mainWindow, IDC_RATIO);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetWindowTextA(field, text.c_str());
    Recalculate(mainWindow);
}

void FocusRatioField(HWND mainWindow) {
    SetFocus(GetDlgItem(mainWindow, IDC_RATIO));
}
