#include "designation.h"

#include "number_text.h"

#include <array>
#include <cstddef>
#include <span>

namespace {

// ISO 261, ISO general purpose metric screw threads: the coarse pitch (mm) of
// each diameter (mm) of the first and second choice from 1 to 64 mm.
struct MetricSize {
    double diameter;
    double pitch;
};
constexpr MetricSize kIsoMetricCoarse[] = {
    {1, 0.25},   {1.1, 0.25}, {1.2, 0.25}, {1.4, 0.3}, {1.6, 0.35}, {1.8, 0.35}, {2, 0.4},  {2.2, 0.45},
    {2.5, 0.45}, {3, 0.5},    {3.5, 0.6},  {4, 0.7},   {4.5, 0.75}, {5, 0.8},    {6, 1},    {7, 1},
    {8, 1.25},   {10, 1.5},   {12, 1.75},  {14, 2},    {16, 2},     {18, 2.5},   {20, 2.5}, {22, 2.5},
    {24, 3},     {27, 3},     {30, 3.5},   {33, 3.5},  {36, 4},     {39, 4},     {42, 4.5}, {45, 4.5},
    {48, 5},     {52, 5},     {56, 5.5},   {60, 5.5},  {64, 6},
};

// An inch size as written in a designation, and its threads per inch in the
// two series of its table (0 where a series has no thread of that size).
struct InchSize {
    std::string_view size;
    std::array<double, 2> tpi;
};

// ASME B1.1, Unified inch screw threads: UNC and UNF from #0 to 1-1/2 inch.
constexpr InchSize kUnified[] = {
    {"#0", {0, 80}},    {"#1", {64, 72}},   {"#2", {56, 64}},   {"#3", {48, 56}},   {"#4", {40, 48}},
    {"#5", {40, 44}},   {"#6", {32, 40}},   {"#8", {32, 36}},   {"#10", {24, 32}},  {"#12", {24, 28}},
    {"1/4", {20, 28}},  {"5/16", {18, 24}}, {"3/8", {16, 24}},  {"7/16", {14, 20}}, {"1/2", {13, 20}},
    {"9/16", {12, 18}}, {"5/8", {11, 18}},  {"3/4", {10, 16}},  {"7/8", {9, 14}},   {"1", {8, 12}},
    {"1-1/8", {7, 12}}, {"1-1/4", {7, 12}}, {"1-3/8", {6, 12}}, {"1-1/2", {6, 12}},
};

// BS 84, screw threads of Whitworth form: BSW and BSF.
constexpr InchSize kWhitworth[] = {
    {"1/16", {60, 0}},  {"3/32", {48, 0}}, {"1/8", {40, 0}},   {"5/32", {32, 0}},  {"3/16", {24, 32}},
    {"7/32", {24, 28}}, {"1/4", {20, 26}}, {"9/32", {0, 26}},  {"5/16", {18, 22}}, {"3/8", {16, 20}},
    {"7/16", {14, 18}}, {"1/2", {12, 16}}, {"9/16", {12, 16}}, {"5/8", {11, 14}},  {"11/16", {11, 14}},
    {"3/4", {10, 12}},  {"7/8", {9, 11}},  {"1", {8, 10}},     {"1-1/8", {7, 9}},  {"1-1/4", {7, 9}},
    {"1-3/8", {6, 8}},  {"1-1/2", {6, 8}}, {"1-5/8", {5, 8}},  {"1-3/4", {5, 7}},  {"2", {4.5, 7}},
};

// ISO 228-1, pipe threads where pressure-tight joints are not made on the
// threads (BSP); the same pitches as the taper pipe threads of ISO 7-1.
constexpr InchSize kPipe[] = {
    {"1/16", {28, 0}},  {"1/8", {28, 0}},   {"1/4", {19, 0}},   {"3/8", {19, 0}},   {"1/2", {14, 0}},
    {"5/8", {14, 0}},   {"3/4", {14, 0}},   {"7/8", {14, 0}},   {"1", {11, 0}},     {"1-1/8", {11, 0}},
    {"1-1/4", {11, 0}}, {"1-1/2", {11, 0}}, {"1-3/4", {11, 0}}, {"2", {11, 0}},     {"2-1/4", {11, 0}},
    {"2-1/2", {11, 0}}, {"2-3/4", {11, 0}}, {"3", {11, 0}},     {"3-1/2", {11, 0}}, {"4", {11, 0}},
    {"4-1/2", {11, 0}}, {"5", {11, 0}},     {"5-1/2", {11, 0}}, {"6", {11, 0}},
};

struct InchSeries {
    std::string_view name; // as written after the size, "UNC"
    std::span<const InchSize> sizes;
    std::size_t column; // its threads per inch in InchSize::tpi
    bool tpiInName;     // written "1/2-13 UNC"; otherwise "1/4 BSW"
};
constexpr InchSeries kInchSeries[] = {
    {"UNC", kUnified, 0, true},    {"UNF", kUnified, 1, true}, {"BSW", kWhitworth, 0, false},
    {"BSF", kWhitworth, 1, false}, {"BSP", kPipe, 0, false},
};

std::string Unknown() {
    return "is not a known thread designation; known are M6 or M6x0.75 (ISO metric, M1 to M64), "
           "1/2-13 UNC or #10-32 UNF (#0 to 1-1/2), 1/4 BSW, 1/4 BSF and 1/2 BSP";
}

// After the "M": "6" for the coarse pitch, "6x0.75" or "6×0.75" with the pitch
// given, spaces around the cross or none ("6 x 0.75").
std::string ReadMetric(std::string_view rest, Pitch& pitch) {
    std::size_t cross = rest.find('x');
    std::size_t crossLength = 1;
    if (cross == std::string_view::npos) {
        cross = rest.find("×");
        crossLength = std::string_view("×").size();
    }
    double diameter = 0;
    if (!ReadPositiveNumber(TrimSpaces(rest.substr(0, cross)), diameter).empty()) {
        return Unknown();
    }
    std::string name = "M";
    name += FormatShortestFixed(diameter);
    if (cross == std::string_view::npos) {
        for (const MetricSize& size : kIsoMetricCoarse) {
            if (size.diameter == diameter) {
                pitch = {size.pitch, PitchUnit::Mm, name};
                return {};
            }
        }
        return Unknown();
    }
    double value = 0;
    if (!ReadPositiveNumber(TrimSpaces(rest.substr(cross + crossLength)), value).empty()) {
        return Unknown();
    }
    name += 'x';
    name += FormatShortestFixed(value);
    pitch = {value, PitchUnit::Mm, name};
    return {};
}

const InchSize* FindSize(const InchSeries& series, std::string_view written) {
    for (const InchSize& size : series.sizes) {
        if (size.size == written && size.tpi[series.column] != 0) {
            return &size;
        }
    }
    return nullptr;
}

// "1/2 UNC has 13 TPI": what a size's thread is in a series.
std::string SizeInSeries(const InchSize& size, const InchSeries& series) {
    std::string text(size.size);
    text += ' ';
    text += series.name;
    text += " has ";
    text += FormatShortest(size.tpi[series.column]);
    text += " TPI";
    return text;
}

// The size before the series' name, "1/2" or "1/2-13", in small letters.
std::string ReadInchSize(std::string_view written, const InchSeries& series, Pitch& pitch) {
    const InchSize* size = FindSize(series, written);
    std::string_view tpiText;
    if (size == nullptr) {
        const std::size_t dash = written.rfind('-');
        if (dash == std::string_view::npos || (size = FindSize(series, written.substr(0, dash))) == nullptr) {
            return Unknown();
        }
        tpiText = written.substr(dash + 1);
    }
    const double tpi = size->tpi[series.column];
    double read = tpi;
    if (!tpiText.empty() && (!ReadPositiveNumber(tpiText, read).empty() || read != tpi)) {
        return "is not a known thread designation: " + SizeInSeries(*size, series);
    }
    std::string name(size->size);
    if (series.tpiInName) {
        name += '-';
        name += FormatShortest(tpi);
    }
    name += ' ';
    name += series.name;
    pitch = {tpi, PitchUnit::Tpi, name};
    return {};
}

// "3/8-24" or "#10-32", a Unified size and its threads per inch without the
// series, in small letters: read in the one Unified series that has those
// threads per inch for the size. Where none has them (or two: no size of the
// table has the same in both), the refusal names the size's thread in each.
std::string ReadUnifiedWithoutSeries(std::string_view written, Pitch& pitch) {
    const std::size_t dash = written.rfind('-');
    double tpi = 0;
    if (dash == std::string_view::npos || !ReadPositiveNumber(written.substr(dash + 1), tpi).empty()) {
        return Unknown();
    }
    const InchSeries* found = nullptr;
    int matches = 0;
    std::string threads;
    for (const InchSeries& series : kInchSeries) {
        const InchSize* size =
            series.sizes.data() == kUnified ? FindSize(series, written.substr(0, dash)) : nullptr;
        if (size != nullptr) {
            threads += threads.empty() ? "" : ", ";
            threads += SizeInSeries(*size, series);
            if (size->tpi[series.column] == tpi) {
                found = &series;
                ++matches;
            }
        }
    }
    if (threads.empty()) {
        return Unknown();
    }
    if (matches != 1) {
        return "is not a known thread designation: " + threads;
    }
    return ReadInchSize(written, *found, pitch);
}

} // namespace

bool LooksLikeDesignation(std::string_view text) {
    const std::string lower = Lowercase(TrimSpaces(text));
    if (lower.size() >= 2 && lower[0] == 'm' && (IsDigit(lower[1]) || lower[1] == '.' || lower[1] == ',')) {
        return true;
    }
    if (lower.starts_with('#') || lower.find('/') != std::string::npos) {
        return true;
    }
    for (const InchSeries& series : kInchSeries) {
        if (lower.ends_with(Lowercase(series.name))) {
            return true;
        }
    }
    return false;
}

std::string ReadDesignation(std::string_view text, Pitch& pitch) {
    const std::string lower = Lowercase(TrimSpaces(text));
    if (lower.starts_with('m')) {
        return ReadMetric(std::string_view(lower).substr(1), pitch);
    }
    for (const InchSeries& series : kInchSeries) {
        const std::string name = Lowercase(series.name);
        if (lower.ends_with(name)) {
            return ReadInchSize(TrimSpaces(std::string_view(lower).substr(0, lower.size() - name.size())),
                                series, pitch);
        }
    }
    return ReadUnifiedWithoutSeries(lower, pitch);
}
