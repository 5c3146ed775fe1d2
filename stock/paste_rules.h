// What the ratio field's "Paste" accepts and what it keeps of the clipboard text.
#pragma once

#include <string>
#include <string_view>

// Both take a decimal comma: a text with one comma and no point is read with
// the comma as its point (WithDecimalPoint), so "0,8" pastes as 0.8.

// A nonzero leading number, no "e+"/"e-", none of "ABCDEF ".
bool PassesPasteTest(std::string_view text);

// The leading digits and first point, at most 1023 characters.
std::string PasteTrim(std::string_view text);
