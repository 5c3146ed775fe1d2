// Reads what the running program shows, from outside its process, for the
// end-to-end test: finds the main window by its class name and answers
// queries about its controls and about the dialog it owns, one line each.
//
//   tandrel-probe query...
//     window            1 when the main window exists (exit code 2 when it does not)
//     caption           the main window's caption
//     close             asks the main window to close (WM_CLOSE); prints nothing
//     text ID           the control's text
//     checked ID        1 when the control is checked, else 0
//     visible ID        1 when the control is visible, else 0
//     rect ID           the control's screen rectangle: left top right bottom
//     range             the solution up-down's range: lower upper
//     focus             identifier of the control with the keyboard focus (0 if none)
//     dialog            caption of the visible window the main window owns ("" if none)
//     dialog-rect ID    screen rectangle of that window's control (0: the window itself)
//     dialog-checked ID 1 when that window's control is checked, else 0
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT kAnswerTimeout = 5000; // milliseconds

LRESULT Ask(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeout, &result);
    return static_cast<LRESULT>(result);
}

// In UTF-8, as the script compares it ("µm").
std::string TextOf(HWND control) {
    wchar_t text[1100] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 1100, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kAnswerTimeout, &result);
    char utf8[3300] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

void PrintRect(HWND target) {
    RECT rect = {};
    GetWindowRect(target, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND candidate, LPARAM search) {
    auto* s = reinterpret_cast<OwnedSearch*>(search);
    if (GetWindow(candidate, GW_OWNER) == s->owner && IsWindowVisible(candidate)) {
        s->found = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND OwnedDialog(HWND mainWindow) {
    OwnedSearch search = {mainWindow, nullptr};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int FocusId(HWND mainWindow) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow, nullptr), &info);
    return info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0;
}

// Answers one query; returns how many arguments it used, 0 for an unknown query.
int Answer(HWND mainWindow, int count, char** args) {
    const std::string query = args[0];
    const int id = count > 1 ? std::atoi(args[1]) : 0;
    HWND control = GetDlgItem(mainWindow, id);
    HWND dialog = OwnedDialog(mainWindow);
    if (query == "window") {
        std::printf("1\n");
        return 1;
    }
    if (query == "caption") {
        std::printf("%s\n", TextOf(mainWindow).c_str());
        return 1;
    }
    if (query == "close") {
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        return 1;
    }
    if (query == "range") {
        LRESULT range = Ask(GetDlgItem(mainWindow, IDC_SOLUTION_UPDOWN), UDM_GETRANGE, 0, 0);
        std::printf("%d %d\n", HIWORD(range), LOWORD(range));
        return 1;
    }
    if (query == "focus") {
        std::printf("%d\n", FocusId(mainWindow));
        return 1;
    }
    if (query == "dialog") {
        std::printf("%s\n", dialog != nullptr ? TextOf(dialog).c_str() : "");
        return 1;
    }
    if (count < 2) {
        return 0;
    }
    if (query == "text") {
        std::printf("%s\n", TextOf(control).c_str());
    } else if (query == "checked") {
        std::printf("%d\n", Ask(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (query == "visible") {
        std::printf("%d\n", IsWindowVisible(control) ? 1 : 0);
    } else if (query == "rect") {
        PrintRect(control);
    } else if (query == "dialog-rect") {
        PrintRect(id == 0 ? dialog : GetDlgItem(dialog, id));
    } else if (query == "dialog-checked") {
        std::printf("%d\n", Ask(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else {
        return 0;
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    HWND mainWindow = FindWindowW(L"TANDREL", nullptr);
    if (mainWindow == nullptr) {
        return 2;
    }
    for (int i = 1; i < argc;) {
        int used = Answer(mainWindow, argc - i, argv + i);
        if (used == 0) {
            std::fprintf(stderr, "tandrel-probe: unknown query %s\n", argv[i]);
            return 1;
        }
        i += used;
    }
    std::fflush(stdout);
    return 0;
}
