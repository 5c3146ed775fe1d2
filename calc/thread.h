// Threads as a machinist names them, and the change-gear ratio that cuts them:
// pitch units and designations, starts, the leadscrew and the gearing outside
// the change gears, and the lead a train cuts in the thread's own terms.
#pragma once

#include "dial.h"
#include "pitch.h"
#include "search.h"
#include "train.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How each unit is written: the one table behind the pitch reader, the thread
// and leadscrew names, the lead texts, the tool's unit fields and the thread
// dialog's lists.
struct PitchUnitText {
    PitchUnit unit;
    std::string_view key;    // as typed (in any case) and in the tool's output: "tpi"
    std::string_view label;  // as the dialog lists it: "TPI"
    std::string_view prefix; // a thread's name: prefix + value + suffix, "module 1.5"
    std::string_view suffix; // "11 TPI"
    int leadDecimals;        // a lead written in this unit: "11.0067 TPI", "1.250003 mm"
    bool leadscrew;          // a leadscrew's pitch may be given in it
    bool inch;               // lead errors in thou per inch; otherwise in µm over 25 mm
};

inline constexpr std::array<PitchUnitText, 5> kPitchUnits = {{
    {PitchUnit::Mm, "mm", "mm", "", " mm", 6, true, false},
    {PitchUnit::Tpi, "tpi", "TPI", "", " TPI", 4, true, true},
    {PitchUnit::Inch, "in", "in", "", " in", 6, true, true},
    {PitchUnit::Module, "module", "module", "module ", "", 6, false, false},
    {PitchUnit::Dp, "dp", "DP", "", " DP", 4, false, true},
}};

// The leadscrew's units come first: the thread dialog's leadscrew list is the table's head.
static_assert(std::is_partitioned(kPitchUnits.begin(), kPitchUnits.end(),
                                  [](const PitchUnitText& text) { return text.leadscrew; }));

const PitchUnitText& TextOf(PitchUnit unit);

double PitchMm(const Pitch& pitch);

// Reads a pitch, returning what is wrong with the text, to follow its
// quotation in a message ("has no unit (...)"), or an empty string when pitch
// holds the value read. Spaces around the text are ignored. It takes
//  - a decimal number above zero and its unit in any case, with or without a
//    space between: "1.25mm", "11 TPI", "0.1in", "1.5module" (or "1.5mod"),
//    "20dp", "1,25 mm";
//  - "P1.25", a pitch of 1.25 mm;
//  - a designation (designation.h): "M6", "M6x0.75", "1/2-13 UNC", "1/4 BSW".
std::string ReadPitch(std::string_view text, Pitch& pitch);

// A list of pitches separated by commas, "M6, 1/2-13 UNC, 1.5mm", each read
// as ReadPitch reads it, appended to pitches; what is wrong names the first
// item that does not read ("holds 'x', which has no unit").
std::string ReadPitchList(std::string_view list, std::vector<Pitch>& pitches);

// A pitch as ReadPitch reads it back: its designation, or its number and unit ("1.5mm").
std::string PitchText(const Pitch& pitch);

// A leadscrew's pitch: a number with one of the leadscrew's units (mm, tpi or
// in), or "P2".
std::string ReadLeadscrew(std::string_view text, Pitch& pitch);

// The thread dialog's pitch and leadscrew fields, each beside a list of units.
// A plain number is a pitch in the unit the user last picked in the list by
// hand; any other text is read as ReadPitch (ReadLeadscrew for the leadscrew)
// reads it, with the unit it names itself. Spaces around the text are ignored.
std::string ReadPitchField(std::string_view text, bool leadscrew, PitchUnit picked, Pitch& pitch);

// The unit a field's text names itself, which its list shows while the field
// holds it: a designation's, or the unit written with the number ("8 tpi",
// "P1.25"). None for a plain number, which the list's own choice decides, and
// for a text that does not read.
std::optional<PitchUnit> NamedUnit(std::string_view text, bool leadscrew);

// A pitch as a field shows it, reading back (ReadPitchField) as the same
// pitch: its designation, a plain number in the unit picked ("1.25"), or the
// number with its unit ("8 TPI").
std::string PitchFieldText(const Pitch& pitch, PitchUnit picked);

// The most starts a thread may have.
inline constexpr std::uint32_t kMaxStarts = 1000;

// A thread cut on a lathe: target ratio = lead / (leadscrew pitch * fixed).
struct Thread {
    Pitch pitch{1, PitchUnit::Mm};
    std::uint32_t starts = 1;
    Pitch leadscrew{1, PitchUnit::Mm}; // mm, tpi or in
    double fixed = 1;                  // gearing outside the change gears
    std::optional<Dial> dial{};        // the threading dial on the leadscrew, where the lathe has one
};

// A train cuts a thread well enough when its lead is within 1000 ppm (0.1 %)
// of the thread's: over 25 mm of engagement that is at most 25 µm of lead. The
// tolerance wherever the target comes from a thread.
inline constexpr Tolerance kThreadTolerance{1000, true};

double LeadMm(const Thread& thread);      // pitch * starts
double LeadscrewMm(const Thread& thread); // the leadscrew's pitch in mm
double TargetRatio(const Thread& thread);

// The lead a train of ratio r cuts: r * leadscrew pitch * fixed.
double LeadOfRatio(const Thread& thread, double ratio);
// 10^6 * (lead - target lead) / target lead.
double LeadErrorPpm(const Thread& thread, double ratio);

// Where the half-nut may close again for the lead a train of ratio r cuts,
// with the thread's dial; none without a dial.
std::optional<DialAdvice> DialOf(const Thread& thread, double ratio);

// A lead in mm written in the thread's pitch unit: 25.4 / lead for tpi.
double LeadInUnit(const Thread& thread, double leadMm);
// A lead error as a machinist measures it, with its sign: in µm over 25 mm of
// thread for a metric unit, in thou per inch for an inch unit (PitchUnitText::inch).
double MeasuredLeadError(const Thread& thread, double ppm);

// "1.25 mm", "M6 (1 mm)", "1/2-13 UNC (13 TPI)", "module 1.5", "20 DP", with
// ", 2 starts" when there are more than one.
std::string ThreadName(const Thread& thread);
// "2 mm leadscrew", "8 TPI leadscrew", with ", fixed 0.5" when the fixed ratio is not 1.
std::string LeadscrewName(const Thread& thread);
// "M8 (1.25 mm) on 8 TPI leadscrew": the thread and the leadscrew it is cut on.
std::string ThreadOnLeadscrew(const Thread& thread);
// "+2.4 ppm", "-13.0 ppm": sign always, one decimal, never "-0.0".
std::string PpmText(double ppm);
// A lead in the thread's unit first: "1.250003 mm", "11.0067 TPI (2.307692 mm)".
std::string LeadText(const Thread& thread, double leadMm);
// The lead error as measured: "0.06 µm over 25 mm" for a metric thread, "0.61 thou per inch" for an inch one.
std::string MeasuredErrorText(const Thread& thread, double ppm);
// "+2.4 ppm, 0.06 µm over 25 mm" for a metric thread, "-605.7 ppm, 0.61 thou per inch" for an inch thread.
std::string LeadErrorText(const Thread& thread, double ppm);
// "1.25 mm on 2 mm leadscrew: lead 1.250003 mm, +2.4 ppm, 0.06 µm over 25 mm" for a train,
// followed on a lathe with a dial by "; dial: any line" (DialText).
std::string DescribeThreadTrain(const Thread& thread, const SolutionRecord& train);
// What the thread line says when no train is within the tolerance kept:
// "1.25 mm on 8 TPI leadscrew: nearest: 20 55 127 80, lead 1.252679 mm
// (+2143.0 ppm, 53.58 µm over 25 mm), outside 0.1 %: 0.21 % long", the gears
// as shown; "...: no usable train within 1 %" without a nearest train.
std::string DescribeNoTrain(const Thread& thread, const NearestTrains& nearest, std::string_view shownGears);
