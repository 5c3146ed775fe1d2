#include "number_text.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// White space as isspace knows it in the "C" locale.
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

double ReadNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // A number starts with a digit, or with '.' followed by a digit; this keeps
    // "inf" and "nan" out, which from_chars would otherwise read.
    bool startsNumber =
        at < text.size() &&
        (IsDigit(text[at]) || (text[at] == '.' && at + 1 < text.size() && IsDigit(text[at + 1])));
    if (!startsNumber) {
        return 0.0;
    }
    // fast_float rounds as strtod does and, as atof, gives infinity on
    // overflow and 0 on underflow, whether or not its version also reports the
    // range; the text after the number is ignored.
    double value = 0.0;
    fast_float::from_chars(text.data() + at, text.data() + text.size(), value);
    return negative ? -value : value;
}

double RatioFromText(std::string_view ratioText) {
    return ReadNumber(ratioText.substr(0, kRatioTextRead));
}

bool IsDecimalText(std::string_view text) {
    const auto points = std::count(text.begin(), text.end(), '.');
    const auto digits = std::count_if(text.begin(), text.end(), IsDigit);
    return points <= 1 && digits > 0 && points + digits == static_cast<std::ptrdiff_t>(text.size());
}

std::string Quoted(std::string_view text) {
    std::string quoted = "'";
    quoted += text;
    quoted += '\'';
    return quoted;
}

std::string Refusal(std::string_view name, std::string_view text, std::string_view problem) {
    std::string refusal(name);
    refusal += ' ';
    refusal += Quoted(text);
    refusal += ' ';
    refusal += problem;
    return refusal;
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

std::string WithDecimalPoint(std::string_view text) {
    std::string pointed(text);
    if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string_view::npos) {
        pointed[pointed.find(',')] = '.';
    }
    return pointed;
}

std::string ReadRatio(std::string_view written, double& value) {
    const std::string text = WithDecimalPoint(written);
    if (text.empty()) {
        return "is empty";
    }
    if (text.starts_with('-') && IsDecimalText(text.substr(1))) {
        return "is negative";
    }
    if (!IsDecimalText(text)) {
        return "is not a number (digits with at most one decimal point)";
    }
    value = RatioFromText(text);
    return {};
}

std::string ReadPositiveNumber(std::string_view text, double& value) {
    double read = 0;
    if (std::string problem = ReadRatio(text, read); !problem.empty()) {
        return problem;
    }
    read = ReadNumber(WithDecimalPoint(text)); // all of it, not only the field's first characters
    if (!std::isfinite(read)) {
        return "is too large";
    }
    if (!(read > 0)) {
        return "is zero";
    }
    value = read;
    return {};
}

std::string ReadWholeNumber(std::string_view text, std::uint32_t low, std::uint32_t high,
                            std::uint32_t& value) {
    const auto allDigits = [](std::string_view digits) {
        return !digits.empty() && std::all_of(digits.begin(), digits.end(), IsDigit);
    };
    if (text.starts_with('-') && allDigits(text.substr(1))) {
        return "is negative";
    }
    if (!allDigits(text)) {
        return "is not a whole number";
    }
    std::uint32_t read = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc{} || read < low || read > high) {
        return "is outside " + std::to_string(low) + ".." + std::to_string(high);
    }
    value = read;
    return {};
}

std::string FormatFixed14(double value) {
    return FormatFixed(value, 14);
}

std::string FormatFixed(double value, int decimals) {
    // Large enough for any double in fixed notation with up to 20 decimals.
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string FormatShortest(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatShortestFixed(double value) {
    char buffer[400]; // any double in fixed notation
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// The d-decimal text is the closest of all with d decimals, so the first d
// whose text reads back close enough gives the shortest. Without one, the
// text with the most decimals that still fits is the closest; a ratio of 10^16
// or more has no text that fits but sixteen nines.
std::string RatioFieldText(double ratio) {
    std::string closest(kRatioFieldLength, '9');
    for (int decimals = 0; decimals < static_cast<int>(kRatioFieldLength); ++decimals) {
        std::string text = FormatFixed(ratio, decimals);
        if (text.size() > kRatioFieldLength) {
            break;
        }
        if (std::fabs(RatioFromText(text) - ratio) <= 1e-12) {
            return text;
        }
        closest = std::move(text);
    }
    return closest;
}
