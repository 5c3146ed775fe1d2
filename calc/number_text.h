// Text to number and number to text, the same on every platform: one
// implementation instead of the C runtimes', which differ between Linux and Windows.
#pragma once

#include <cstddef>
#include <cstdint>
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

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one decimal point and at least one digit: what the
// ratio field admits.
bool IsDecimalText(std::string_view text);

// 'text': how messages name a text.
std::string Quoted(std::string_view text);

// NAME 'TEXT' PROBLEM: how an option or a field that does not read is refused,
// with the reader's problem: "--pitch 'M7.5' is not a known ..." in the tool,
// "Pitch 'M7.5' is not a known ..." in the window's dialogs.
std::string Refusal(std::string_view name, std::string_view text, std::string_view problem);

// The text without the spaces and tabs around it.
std::string_view TrimSpaces(std::string_view text);

// The text with its ASCII capitals made small: how texts are compared in any case.
std::string Lowercase(std::string_view text);

// A decimal comma as many write it: the text with its comma as a point when it
// holds one comma and no point, otherwise the text as it is.
std::string WithDecimalPoint(std::string_view text);

// The readers of the fields and options that take one number. Each takes a
// decimal comma (WithDecimalPoint) and returns what is wrong with the text, to
// follow its quotation in a message, or an empty string when value holds the
// number read.

// A ratio as the ratio field takes it, a decimal text (IsDecimalText): "is
// empty", "is negative" or "is not a number (digits with at most one decimal
// point)"; value is what the field's text gives (RatioFromText).
std::string ReadRatio(std::string_view text, double& value);

// A decimal text above zero and within the range of doubles: as ReadRatio,
// and "is zero" or "is too large".
std::string ReadPositiveNumber(std::string_view text, double& value);

// A whole number written in digits only, from low to high: "is negative",
// "is not a whole number" or "is outside LOW..HIGH".
std::string ReadWholeNumber(std::string_view text, std::uint32_t low, std::uint32_t high,
                            std::uint32_t& value);

// printf's "%0.14f": fixed point, exactly 14 decimals, correctly rounded,
// a leading '-' for negative values (negative zero included).
std::string FormatFixed14(double value);

// Fixed point with the given count of decimals, correctly rounded, as FormatFixed14.
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back to the same double.
std::string FormatShortest(double value);

// The same without an exponent: "0.00001", not "1e-05".
std::string FormatShortestFixed(double value);

// A ratio as text for the ratio field, in fixed point: the shortest text of at
// most 16 characters that reads back (RatioFromText) within 1e-12 of the
// ratio, or else the closest one of 16 characters.
inline constexpr std::size_t kRatioFieldLength = 16;
std::string RatioFieldText(double ratio);
