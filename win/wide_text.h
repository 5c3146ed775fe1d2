// The core's texts are UTF-8 ("µm"); the controls' own texts are UTF-16.
#pragma once

#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
