#include "thread.h"

#include "number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kInch = 25.4;
constexpr double kPi = 3.14159265358979323846;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNumberChar(char c) {
    return IsDigit(c) || c == '.' || c == ',';
}

// "(mm, tpi, module or dp)"
std::string UnitList() {
    std::string list = "(";
    for (const PitchUnitText& text : kPitchUnits) {
        list += text.key;
        list += &text == &kPitchUnits.back() ? ")" : &text == &kPitchUnits.back() - 1 ? " or " : ", ";
    }
    return list;
}

} // namespace

const PitchUnitText& TextOf(PitchUnit unit) {
    return *std::find_if(kPitchUnits.begin(), kPitchUnits.end(),
                         [unit](const PitchUnitText& text) { return text.unit == unit; });
}

double PitchMm(const Pitch& pitch) {
    switch (pitch.unit) {
    case PitchUnit::Tpi:
        return kInch / pitch.value;
    case PitchUnit::Module:
        return kPi * pitch.value;
    case PitchUnit::Dp:
        return kInch * kPi / pitch.value;
    case PitchUnit::Mm:
        break;
    }
    return pitch.value;
}

std::string ReadPitch(std::string_view text, Pitch& pitch) {
    const bool negative = text.starts_with('-');
    std::string_view rest = negative ? text.substr(1) : text;
    std::size_t numberEnd = 0;
    while (numberEnd < rest.size() && IsNumberChar(rest[numberEnd])) {
        ++numberEnd;
    }
    const std::string_view number = rest.substr(0, numberEnd);
    std::string unit(rest.substr(number.size()));
    std::transform(unit.begin(), unit.end(), unit.begin(), Lower);

    if (!IsDecimalText(WithDecimalPoint(number))) {
        return "does not start with a number";
    }
    if (unit.empty()) {
        return "has no unit " + UnitList();
    }
    const auto known = std::find_if(kPitchUnits.begin(), kPitchUnits.end(),
                                    [&](const PitchUnitText& entry) { return entry.key == unit; });
    if (known == kPitchUnits.end()) {
        return "has an unknown unit " + Quoted(rest.substr(number.size())) + " " + UnitList();
    }
    if (negative) {
        return "is negative";
    }
    double value = 0;
    if (std::string problem = ReadPositiveNumber(number, value); !problem.empty()) {
        return problem;
    }
    pitch = {value, known->unit};
    return {};
}

std::string ReadLeadscrew(std::string_view text, Pitch& pitch) {
    Pitch read{};
    if (std::string problem = ReadPitch(text, read); !problem.empty()) {
        return problem;
    }
    if (!TextOf(read.unit).leadscrew) {
        return "is not a leadscrew's pitch (mm or tpi)";
    }
    pitch = read;
    return {};
}

double LeadMm(const Thread& thread) {
    return PitchMm(thread.pitch) * thread.starts;
}

double LeadscrewMm(const Thread& thread) {
    return PitchMm(thread.leadscrew);
}

double TargetRatio(const Thread& thread) {
    return LeadMm(thread) / (LeadscrewMm(thread) * thread.fixed);
}

// Multiplies by the divisor of TargetRatio as a whole, so that the target
// ratio gives back the lead even when leadscrew and fixed ratio lie far apart
// in size (ratio * leadscrew alone may underflow).
double LeadOfRatio(const Thread& thread, double ratio) {
    return ratio * (LeadscrewMm(thread) * thread.fixed);
}

double LeadErrorPpm(const Thread& thread, double ratio) {
    const double target = LeadMm(thread);
    return 1e6 * (LeadOfRatio(thread, ratio) - target) / target;
}

std::string ThreadName(const Thread& thread) {
    const PitchUnitText& unit = TextOf(thread.pitch.unit);
    std::string name(unit.prefix);
    name += FormatShortest(thread.pitch.value);
    name += unit.suffix;
    if (thread.starts > 1) {
        name += ", " + std::to_string(thread.starts) + " starts";
    }
    return name;
}

std::string LeadscrewName(const Thread& thread) {
    std::string name = FormatShortest(thread.leadscrew.value) + " ";
    name += TextOf(thread.leadscrew.unit).label;
    name += " leadscrew";
    if (thread.fixed != 1) {
        name += ", fixed " + FormatShortest(thread.fixed);
    }
    return name;
}

std::string PpmText(double ppm) {
    std::string text = FormatFixed(std::fabs(ppm), 1);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (ppm < 0 && !zero ? "-" : "+") + text + " ppm";
}

std::string DescribeThreadTrain(const Thread& thread, const SolutionRecord& train) {
    const double ratio = TrainRatio(train);
    return ThreadName(thread) + " on " + LeadscrewName(thread) + ": lead " +
           FormatFixed(LeadOfRatio(thread, ratio), 6) + " mm, " + PpmText(LeadErrorPpm(thread, ratio));
}
