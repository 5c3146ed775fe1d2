#include "thread.h"

#include "designation.h"
#include "number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double kInch = 25.4;
constexpr double kPi = 3.14159265358979323846;

bool IsNumberChar(char c) {
    return IsDigit(c) || c == '.' || c == ',';
}

// Units as machinists also write them, beside the table's keys: "1.5mod".
constexpr std::pair<std::string_view, PitchUnit> kUnitAbbreviations[] = {{"mod", PitchUnit::Module}};

// The unit a key or an abbreviation names, in small letters; none for another text.
const PitchUnitText* FindUnit(std::string_view key) {
    for (const PitchUnitText& text : kPitchUnits) {
        if (text.key == key) {
            return &text;
        }
    }
    for (const auto& [abbreviation, unit] : kUnitAbbreviations) {
        if (abbreviation == key) {
            return &TextOf(unit);
        }
    }
    return nullptr;
}

// A field's text without a unit or a designation: digits, decimal points or
// commas and signs only, or nothing.
bool IsPlainNumber(std::string_view text) {
    return text.find_first_not_of("0123456789.,-") == std::string_view::npos;
}

std::string ReadNamingItsUnit(std::string_view text, bool leadscrew, Pitch& pitch) {
    return leadscrew ? ReadLeadscrew(text, pitch) : ReadPitch(text, pitch);
}

// "(mm, tpi, in, module or dp)", or the leadscrew's units only.
std::string UnitList(bool leadscrew) {
    std::vector<std::string_view> keys;
    for (const PitchUnitText& text : kPitchUnits) {
        if (text.leadscrew || !leadscrew) {
            keys.push_back(text.key);
        }
    }
    std::string list = "(";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        list += keys[i];
        list += i + 1 == keys.size() ? ")" : i + 2 == keys.size() ? " or " : ", ";
    }
    return list;
}

// A decimal number and its unit, with a space between them or none, or "P" and
// a number in mm; for a leadscrew only the leadscrew's units.
std::string ReadNumberAndUnit(std::string_view text, bool leadscrew, Pitch& pitch) {
    const bool metricP =
        text.size() > 1 && (text[0] == 'P' || text[0] == 'p') && (IsNumberChar(text[1]) || text[1] == '-');
    std::string_view rest = metricP ? text.substr(1) : text;
    const bool negative = rest.starts_with('-');
    if (negative) {
        rest.remove_prefix(1);
    }
    std::size_t numberEnd = 0;
    while (numberEnd < rest.size() && IsNumberChar(rest[numberEnd])) {
        ++numberEnd;
    }
    const std::string_view number = rest.substr(0, numberEnd);
    const std::string_view unitText = TrimSpaces(rest.substr(numberEnd));

    if (!IsDecimalText(WithDecimalPoint(number))) {
        return "does not start with a number";
    }
    const PitchUnitText* unit = &TextOf(PitchUnit::Mm);
    if (metricP) {
        if (!unitText.empty()) {
            return "is not P and a pitch in mm, such as P1.25";
        }
    } else {
        if (unitText.empty()) {
            return "has no unit " + UnitList(leadscrew);
        }
        unit = FindUnit(Lowercase(unitText));
        if (unit == nullptr) {
            return "has an unknown unit " + Quoted(unitText) + " " + UnitList(leadscrew);
        }
    }
    if (leadscrew && !unit->leadscrew) {
        return "is not a leadscrew's pitch " + UnitList(true);
    }
    if (negative) {
        return "is negative";
    }
    double value = 0;
    if (std::string problem = ReadPositiveNumber(number, value); !problem.empty()) {
        return problem;
    }
    pitch = {value, unit->unit};
    return {};
}

// A length in mm as a pitch in the unit: 25.4 / mm threads per inch.
double InUnit(PitchUnit unit, double mm) {
    switch (unit) {
    case PitchUnit::Tpi:
        return kInch / mm;
    case PitchUnit::Inch:
        return mm / kInch;
    case PitchUnit::Module:
        return mm / kPi;
    case PitchUnit::Dp:
        return kInch * kPi / mm;
    case PitchUnit::Mm:
        break;
    }
    return mm;
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
    case PitchUnit::Inch:
        return kInch * pitch.value;
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
    const std::string_view trimmed = TrimSpaces(text);
    return LooksLikeDesignation(trimmed) ? ReadDesignation(trimmed, pitch)
                                         : ReadNumberAndUnit(trimmed, false, pitch);
}

std::string ReadPitchList(std::string_view list, std::vector<Pitch>& pitches) {
    for (std::size_t comma = 0; comma != std::string_view::npos; list.remove_prefix(comma + 1)) {
        comma = list.find(',');
        Pitch pitch{};
        if (std::string problem = ReadPitch(list.substr(0, comma), pitch); !problem.empty()) {
            return "holds " + Quoted(TrimSpaces(list.substr(0, comma))) + ", which " + problem;
        }
        pitches.push_back(pitch);
    }
    return {};
}

std::string PitchText(const Pitch& pitch) {
    if (!pitch.designation.empty()) {
        return pitch.designation;
    }
    std::string text = FormatShortestFixed(pitch.value);
    text += TextOf(pitch.unit).key;
    return text;
}

std::string ReadLeadscrew(std::string_view text, Pitch& pitch) {
    const std::string_view trimmed = TrimSpaces(text);
    return LooksLikeDesignation(trimmed) ? "is not a leadscrew's pitch " + UnitList(true)
                                         : ReadNumberAndUnit(trimmed, true, pitch);
}

std::string ReadPitchField(std::string_view text, bool leadscrew, PitchUnit picked, Pitch& pitch) {
    const std::string_view trimmed = TrimSpaces(text);
    if (!IsPlainNumber(trimmed)) {
        return ReadNamingItsUnit(trimmed, leadscrew, pitch);
    }
    double value = 0;
    if (std::string problem = ReadPositiveNumber(trimmed, value); !problem.empty()) {
        return problem;
    }
    pitch = {value, picked};
    return {};
}

std::optional<PitchUnit> NamedUnit(std::string_view text, bool leadscrew) {
    const std::string_view trimmed = TrimSpaces(text);
    Pitch pitch{};
    if (IsPlainNumber(trimmed) || !ReadNamingItsUnit(trimmed, leadscrew, pitch).empty()) {
        return std::nullopt;
    }
    return pitch.unit;
}

std::string PitchFieldText(const Pitch& pitch, PitchUnit picked) {
    if (!pitch.designation.empty()) {
        return pitch.designation;
    }
    std::string text = FormatShortestFixed(pitch.value);
    if (pitch.unit != picked) {
        text += ' ';
        text += TextOf(pitch.unit).label;
    }
    return text;
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

std::optional<DialAdvice> DialOf(const Thread& thread, double ratio) {
    if (!thread.dial) {
        return std::nullopt;
    }
    return AdviseDial(*thread.dial, LeadscrewMm(thread), LeadOfRatio(thread, ratio));
}

double LeadInUnit(const Thread& thread, double leadMm) {
    return InUnit(thread.pitch.unit, leadMm);
}

// ppm of a lead over 25 mm of thread: ppm * 1e-6 * 25 mm, in µm; over an inch,
// ppm * 1e-6 * 1 inch, in thou.
double MeasuredLeadError(const Thread& thread, double ppm) {
    return TextOf(thread.pitch.unit).inch ? ppm * 1e-3 : ppm * 0.025;
}

std::string ThreadName(const Thread& thread) {
    const PitchUnitText& unit = TextOf(thread.pitch.unit);
    std::string pitch(unit.prefix);
    pitch += FormatShortest(thread.pitch.value);
    pitch += unit.suffix;
    std::string name =
        thread.pitch.designation.empty() ? pitch : thread.pitch.designation + " (" + pitch + ")";
    if (thread.starts > 1) {
        name += ", ";
        name += std::to_string(thread.starts);
        name += " starts";
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

std::string ThreadOnLeadscrew(const Thread& thread) {
    return ThreadName(thread) + " on " + LeadscrewName(thread);
}

std::string PpmText(double ppm) {
    std::string text = FormatFixed(std::fabs(ppm), 1);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (ppm < 0 && !zero ? "-" : "+") + text + " ppm";
}

std::string LeadText(const Thread& thread, double leadMm) {
    const PitchUnitText& unit = TextOf(thread.pitch.unit);
    std::string text(unit.prefix);
    text += FormatFixed(LeadInUnit(thread, leadMm), unit.leadDecimals);
    text += unit.suffix;
    if (unit.unit != PitchUnit::Mm) {
        text += " (";
        text += FormatFixed(leadMm, 6);
        text += " mm)";
    }
    return text;
}

std::string MeasuredErrorText(const Thread& thread, double ppm) {
    std::string text = FormatFixed(std::fabs(MeasuredLeadError(thread, ppm)), 2);
    text += TextOf(thread.pitch.unit).inch ? " thou per inch" : " µm over 25 mm";
    return text;
}

std::string LeadErrorText(const Thread& thread, double ppm) {
    std::string text = PpmText(ppm);
    text += ", ";
    text += MeasuredErrorText(thread, ppm);
    return text;
}

std::string DescribeThreadTrain(const Thread& thread, const SolutionRecord& train) {
    const double ratio = TrainRatio(train);
    std::string line = ThreadOnLeadscrew(thread) + ": lead " + LeadText(thread, LeadOfRatio(thread, ratio)) +
                       ", " + LeadErrorText(thread, LeadErrorPpm(thread, ratio));
    if (const std::optional<DialAdvice> dial = DialOf(thread, ratio)) {
        line += "; " + DialText(*thread.dial, *dial);
    }
    return line;
}

std::string DescribeNoTrain(const Thread& thread, const NearestTrains& nearest, std::string_view shownGears) {
    std::string line = ThreadOnLeadscrew(thread) + ": ";
    if (nearest.trains.empty()) {
        return line + NoUsableTrain();
    }
    const double ratio = TrainRatio(nearest.trains.front());
    line += "nearest: ";
    line += shownGears;
    line += ", lead " + LeadText(thread, LeadOfRatio(thread, ratio)) + " (" +
            LeadErrorText(thread, LeadErrorPpm(thread, ratio)) + "), ";
    return line + OutsideVerdict(nearest.kept, TargetRatio(thread), ratio, true);
}
