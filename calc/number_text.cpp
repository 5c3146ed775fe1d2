#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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
    // "inf", "nan" and hexadecimal out, which from_chars would otherwise read.
    bool startsNumber =
        at < text.size() &&
        (IsDigit(text[at]) || (text[at] == '.' && at + 1 < text.size() && IsDigit(text[at + 1])));
    if (!startsNumber) {
        return 0.0;
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // atof gives HUGE_VAL on overflow and 0 (or a denormal) on underflow.
        bool overflow = false;
        for (const char* p = text.data() + at; p < end && *p != 'e' && *p != 'E'; ++p) {
            overflow = overflow || (IsDigit(*p) && *p != '0');
        }
        std::string_view mantissaEnd(text.data() + at, static_cast<std::size_t>(end - (text.data() + at)));
        auto e = mantissaEnd.find_first_of("eE");
        bool negativeExponent =
            e != std::string_view::npos && e + 1 < mantissaEnd.size() && mantissaEnd[e + 1] == '-';
        value = (overflow && !negativeExponent) ? HUGE_VAL : 0.0;
    }
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

std::optional<double> ReadPositiveNumber(std::string_view text) {
    if (!IsDecimalText(text)) {
        return std::nullopt;
    }
    const double value = ReadNumber(text);
    return value > 0 ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::uint32_t> ReadWholeNumber(std::string_view text, std::uint32_t low, std::uint32_t high) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || value < low || value > high) {
        return std::nullopt;
    }
    return value;
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
