#include "recent_lathes.h"

#include "program_state.h"
#include "resource.h"

#include <algorithm>

static_assert(IDM_RECENT_LAST - IDM_RECENT_FIRST + 1 == kRecentLathes);

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Tandrel";

std::wstring ValueName(std::size_t index) {
    return L"Recent" + std::to_wstring(index + 1);
}

void StoreRecentLathes() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    for (std::size_t i = 0; i < kRecentLathes; ++i) {
        const std::wstring name = ValueName(i);
        if (i < g_lathe.recent.size()) {
            const std::wstring& path = g_lathe.recent[i];
            RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key, name.c_str());
        }
    }
    RegCloseKey(key);
}

// The position of the menu's first recent lathe: after Open, Save, Save As and a separator.
constexpr UINT kFirstRecentPosition = 4;

// A path as a menu item's text: its ampersands doubled, so none marks a key.
std::wstring MenuText(std::size_t index, const std::wstring& path) {
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (wchar_t c : path) {
        text += c == L'&' ? L"&&" : std::wstring(1, c);
    }
    return text;
}

void EraseRecentLathe(const std::wstring& path) {
    std::erase_if(g_lathe.recent, [&](const std::wstring& known) {
        return CompareStringOrdinal(known.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL;
    });
}

} // namespace

std::vector<std::wstring> LoadRecentLathes() {
    std::vector<std::wstring> paths;
    for (std::size_t i = 0; i < kRecentLathes; ++i) {
        wchar_t path[MAX_PATH * 4] = {};
        DWORD size = sizeof path;
        if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, ValueName(i).c_str(), RRF_RT_REG_SZ, nullptr, path,
                         &size) == ERROR_SUCCESS &&
            path[0] != L'\0') {
            paths.emplace_back(path);
        }
    }
    return paths;
}

void RememberRecentLathe(HWND mainWindow, const std::wstring& path) {
    EraseRecentLathe(path);
    g_lathe.recent.insert(g_lathe.recent.begin(), path);
    if (g_lathe.recent.size() > kRecentLathes) {
        g_lathe.recent.resize(kRecentLathes);
    }
    StoreRecentLathes();
    ShowRecentLathes(mainWindow);
}

void ForgetRecentLathe(HWND mainWindow, const std::wstring& path) {
    EraseRecentLathe(path);
    StoreRecentLathes();
    ShowRecentLathes(mainWindow);
}

void ShowRecentLathes(HWND mainWindow) {
    HMENU file = GetSubMenu(GetMenu(mainWindow), 0);
    for (int id = IDM_RECENT_FIRST; id <= IDM_RECENT_LAST; ++id) {
        DeleteMenu(file, static_cast<UINT>(id), MF_BYCOMMAND);
    }
    // The list's own separator, left when the list is gone: two separators in a row.
    if ((GetMenuState(file, kFirstRecentPosition - 1, MF_BYPOSITION) & MF_SEPARATOR) != 0 &&
        (GetMenuState(file, kFirstRecentPosition, MF_BYPOSITION) & MF_SEPARATOR) != 0) {
        DeleteMenu(file, kFirstRecentPosition, MF_BYPOSITION);
    }
    if (g_lathe.recent.empty()) {
        return;
    }
    UINT position = kFirstRecentPosition;
    for (std::size_t i = 0; i < g_lathe.recent.size(); ++i) {
        InsertMenuW(file, position++, MF_BYPOSITION | MF_STRING, IDM_RECENT_FIRST + i,
                    MenuText(i, g_lathe.recent[i]).c_str());
    }
    InsertMenuW(file, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}
