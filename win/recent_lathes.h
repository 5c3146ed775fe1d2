// The lathe files last opened or saved: kept under HKCU\Software\Tandrel as
// Recent1 to Recent4, newest first, and listed in the File menu.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline constexpr std::size_t kRecentLathes = 4;

// The list kept in the registry; empty when there is none.
std::vector<std::wstring> LoadRecentLathes();

// Puts the file first in g_lathe.recent (once, whatever the case of its
// letters), keeps the newest four, stores them and lists them in the menu.
void RememberRecentLathe(HWND mainWindow, const std::wstring& path);

// Drops the file from g_lathe.recent (whatever the case of its letters),
// stores the rest and lists them in the menu.
void ForgetRecentLathe(HWND mainWindow, const std::wstring& path);

// The File menu lists g_lathe.recent between two separators, as "&1 PATH" to
// "&4 PATH" with commands IDM_RECENT_FIRST on; without any, one separator stays.
void ShowRecentLathes(HWND mainWindow);
