// Threads as a machinist names them, and the change-gear ratio that cuts them:
// pitch units, starts, the leadscrew and the gearing outside the change gears.
#pragma once

#include "train.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// mm: the pitch in millimetres; tpi: threads per inch (25.4 / v mm);
// module: a worm's module m (pi * m mm); dp: diametral pitch (25.4 * pi / v mm).
enum class PitchUnit { Mm, Tpi, Module, Dp };

// How each unit is written: the one table behind the pitch reader, the thread
// and leadscrew names, the tool's unit fields and the thread dialog's lists.
struct PitchUnitText {
    PitchUnit unit;
    std::string_view key;    // as typed (in any case) and in the tool's output: "tpi"
    std::string_view label;  // as the dialog lists it: "TPI"
    std::string_view prefix; // a thread's name: prefix + value + suffix, "module 1.5"
    std::string_view suffix; // "11 TPI"
    bool leadscrew;          // a leadscrew's pitch may be given in it
};

inline constexpr std::array<PitchUnitText, 4> kPitchUnits = {{
    {PitchUnit::Mm, "mm", "mm", "M", "", true},
    {PitchUnit::Tpi, "tpi", "TPI", "", " TPI", true},
    {PitchUnit::Module, "module", "module", "module ", "", false},
    {PitchUnit::Dp, "dp", "DP", "", " DP", false},
}};

const PitchUnitText& TextOf(PitchUnit unit);

// A pitch as written: its number and its unit.
struct Pitch {
    double value;
    PitchUnit unit;
};

double PitchMm(const Pitch& pitch);

// Reads a decimal number written straight against its unit, the unit in any
// case: "1.25mm", "11TPI", "1.5module", "20dp", "1,25mm". Returns what is wrong with the
// text, to follow its quotation in a message ("has no unit (...)"), or an
// empty string when pitch holds the value read. The number is digits with at
// most one '.', above zero and within the range of doubles.
std::string ReadPitch(std::string_view text, Pitch& pitch);

// The same for a leadscrew, whose pitch is in mm or tpi.
std::string ReadLeadscrew(std::string_view text, Pitch& pitch);

// The most starts a thread may have.
inline constexpr std::uint32_t kMaxStarts = 1000;

// A thread cut on a lathe: target ratio = lead / (leadscrew pitch * fixed).
struct Thread {
    Pitch pitch{1, PitchUnit::Mm};
    std::uint32_t starts = 1;
    Pitch leadscrew{1, PitchUnit::Mm}; // mm or tpi
    double fixed = 1;                  // gearing outside the change gears
};

double LeadMm(const Thread& thread);      // pitch * starts
double LeadscrewMm(const Thread& thread); // the leadscrew's pitch in mm
double TargetRatio(const Thread& thread);

// The lead a train of ratio r cuts: r * leadscrew pitch * fixed.
double LeadOfRatio(const Thread& thread, double ratio);
// 10^6 * (lead - target lead) / target lead.
double LeadErrorPpm(const Thread& thread, double ratio);

// "M1.25", "11 TPI", "module 1.5", "20 DP", with ", 2 starts" when there are more than one.
std::string ThreadName(const Thread& thread);
// "2 mm leadscrew", "8 TPI leadscrew", with ", fixed 0.5" when the fixed ratio is not 1.
std::string LeadscrewName(const Thread& thread);
// "+2.4 ppm", "-13.0 ppm": sign always, one decimal, never "-0.0".
std::string PpmText(double ppm);
// "M1.25 on 2 mm leadscrew: lead 1.250003 mm, +2.4 ppm" for a train.
std::string DescribeThreadTrain(const Thread& thread, const SolutionRecord& train);
