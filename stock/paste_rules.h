// What the ratio field's "Paste" accepts and what it keeps of the clipboard text.
#pragma once

#include <string>
#include <string_view>

// A nonzero leading number, no "e+"/"e-", none of "ABCDEF ".
bool PassesPasteTest(std::string_view text);

// The leading digits and first '.', at most 1023 characters.
std::string PasteTrim(std::string_view text);
