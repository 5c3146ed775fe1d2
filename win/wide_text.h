// Text between the core's UTF-8 and the window's UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// A control's whole text, as UTF-8.
std::string ControlText(HWND control);
