// Text to number and number to text, the same on every platform: one
// implementation instead of the C runtimes', which differ between Linux and Windows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the C library's atof gives in the "C" locale for decimal text: leading
// white space, an optional sign, digits with at most one '.', an optional
// exponent; anything after the number is ignored; no number gives 0.
// Hexadecimal, "inf" and "nan" are not numbers here.
double ReadNumber(std::string_view text);

// The ratio field's text as the program reads it: its first 17 characters.
inline constexpr std::size_t kRatioTextRead = 17;
double RatioFromText(std::string_view ratioText);

// printf's "%0.14f": fixed point, exactly 14 decimals, correctly rounded,
// a leading '-' for negative values (negative zero included).
std::string FormatFixed14(double value);

// Fixed point with the given count of decimals, correctly rounded, as FormatFixed14.
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back to the same double.
std::string FormatShortest(double value);
