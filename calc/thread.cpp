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
    return IsDigit(c) || c == '.';
}

} // namespace

// Built by appending: GCC 12 warns wrongly about "'" + std::string(...).
std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted.push_back('\'');
    return quoted;
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

std::string_view UnitName(PitchUnit unit) {
    switch (unit) {
    case PitchUnit::Tpi:
        return "tpi";
    case PitchUnit::Module:
        return "module";
    case PitchUnit::Dp:
        return "dp";
    case PitchUnit::Mm:
        break;
    }
    return "mm";
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

    if (!IsDecimalText(number)) {
        return Quoted(text) + " does not start with a number";
    }
    if (unit.empty()) {
        return Quoted(text) + " has no unit (mm, tpi, module or dp)";
    }
    constexpr std::array<PitchUnit, 4> kUnits = {PitchUnit::Mm, PitchUnit::Tpi, PitchUnit::Module,
                                                 PitchUnit::Dp};
    const auto known =
        std::find_if(kUnits.begin(), kUnits.end(), [&](PitchUnit u) { return UnitName(u) == unit; });
    if (known == kUnits.end()) {
        return Quoted(text) + ": unknown unit " + Quoted(rest.substr(number.size())) +
               " (mm, tpi, module or dp)";
    }
    if (negative) {
        return Quoted(text) + " is negative";
    }
    double value = 0;
    if (std::string problem = ReadPositiveNumber(number, value); !problem.empty()) {
        return Quoted(text) + " " + problem;
    }
    pitch = {value, *known};
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

double TrainRatio(const SolutionRecord& train) {
    return static_cast<double>(train.driver1 * train.driver2) /
           static_cast<double>(train.driven1 * train.driven2);
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
    const std::string value = FormatShortest(thread.pitch.value);
    std::string name;
    switch (thread.pitch.unit) {
    case PitchUnit::Mm:
        name = "M" + value;
        break;
    case PitchUnit::Tpi:
        name = value + " TPI";
        break;
    case PitchUnit::Module:
        name = "module " + value;
        break;
    case PitchUnit::Dp:
        name = value + " DP";
        break;
    }
    if (thread.starts > 1) {
        name += ", " + std::to_string(thread.starts) + " starts";
    }
    return name;
}

std::string LeadscrewName(const Thread& thread) {
    const std::string value = FormatShortest(thread.leadscrew.value);
    std::string name =
        thread.leadscrew.unit == PitchUnit::Tpi ? value + " TPI leadscrew" : value + " mm leadscrew";
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
