// The banjo's geometry: where the studs may stand and which trains it holds.
// All lengths in mm. A gear of z teeth has the pitch radius m * z / 2 and the
// tip radius m * z / 2 + m for the module m; two meshing gears stand the sum
// of their pitch radii apart.
#pragma once

#include "fit.h"
#include "plane.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

struct Banjo {
    double module = 0;         // m; for diametral-pitch gears 25.4 / dp
    double centreDistance = 0; // the spindle's output shaft (gear A) to the leadscrew (the last gear)
    double studMin = 0;        // the slot: the least distance from the leadscrew's centre to the stud's
    double studMax = 0;        // and the largest
    double clearance = 3;      // the least gap between a gear's tip circle and a shaft it passes
    std::optional<std::uint32_t> maxA;    // the largest tooth count on the spindle
    std::optional<std::uint32_t> maxLast; // the largest tooth count on the leadscrew

    bool operator==(const Banjo&) const = default;
};

double PitchRadius(const Banjo& banjo, std::uint32_t teeth);
double TipRadius(const Banjo& banjo, std::uint32_t teeth);

// A train mounts when, among what follows for each kind, every gear's tips
// keep the clearance from every shaft they pass: every shaft but the gear's
// own and its meshing partners'. A and the last gear keep within maxA and
// maxLast.

// Four gears A B C D (fit.h): with a = r(A) + r(B) from the spindle to the
// stud and b = r(C) + r(D) from the stud to the leadscrew, b lies in the slot,
// the stud can be placed (|a - b| <= centre distance <= a + b), C's tip clears
// the spindle (tip(C) + clearance <= a), B's tip clears the leadscrew
// (tip(B) + clearance <= b), and A's tip the leadscrew and D's the spindle
// (tip + clearance <= centre distance).
bool Mounts(const Banjo& banjo, const Arrangement& g);

// A simple train: A on the spindle meshes the idler on the stud, which meshes
// D on the leadscrew. b = r(idler) + r(D) lies in the slot, the stud can be
// placed as above, the tip of neither A nor D comes within the clearance of
// the other's shaft, and A and D, which turn in the idler's plane, do not
// touch: tip(A) + tip(D) <= centre distance. A and D keep within maxA and maxLast.
bool MountsSimple(const Banjo& banjo, std::uint32_t a, std::uint32_t idler, std::uint32_t d);

// Where six gears' studs stand: the spindle at (0, 0), the leadscrew at
// (0, -centre distance).
struct SixGearStuds {
    Point stud1; // carries B and C
    Point stud2; // carries D and E
};

// Six gears A..F (fit.h) close a four-bar chain: the spindle, stud 1 at
// a = r(A) + r(B), stud 2 at b = r(C) + r(D) from it, the leadscrew at
// c = r(E) + r(F) from stud 2 and the centre distance l from the spindle. It
// has one freedom, stud 2's distance e from the spindle, which runs from
// max(|a - b|, |l - c|) to min(a + b, l + c). Stud 2 stands c from the
// leadscrew and e from the spindle, stud 1 a from the spindle and b from stud
// 2, each on the side of larger x (Meet). At e, A, D and E pass the shaft
// across the diagonal (tip + clearance <= e), and B, C and F pass the other
// diagonal, stud 1 to the leadscrew. Of 33 evenly spaced values of e, from
// the least that A, D and E clear (or the chain's least, or its largest when
// they clear none) to the chain's largest, the placement whose least slack
// on the two diagonals is largest, the first of equals. None when the chain
// cannot close.
std::optional<SixGearStuds> PlaceStuds(const Banjo& banjo, const Arrangement6& g);

// Six gears: c lies in the slot, the chain closes, the gears clear the shafts
// at fixed distances (C the spindle and B stud 2, E stud 1 and D the
// leadscrew, A the leadscrew and F the spindle), and at one of PlaceStuds's
// values of e every gear clears the diagonals: then PlaceStuds's placement
// clears them too.
bool Mounts(const Banjo& banjo, const Arrangement6& g);

// What every four- or six-gear train that mounts keeps to, in whole teeth, so
// that the searches pass by the trains the rule would refuse before building
// them. Each limit is necessary, not sufficient, and widened beyond any
// rounding: Mounts stays the judge. The defaults hold every train.
struct ToothLimits {
    std::uint32_t mostA = std::numeric_limits<std::uint32_t>::max(); // maxA, and A's tips clear the leadscrew
    std::uint32_t mostLast =
        std::numeric_limits<std::uint32_t>::max(); // maxLast, and its tips clear the spindle
    // The last gear and its partner: the stud they set stands in the slot.
    std::uint32_t leastSlot = 0;
    std::uint32_t mostSlot = std::numeric_limits<std::uint32_t>::max();
    // All the gears: the mesh distances reach from the spindle to the leadscrew.
    std::uint32_t leastReach = 0;
};

ToothLimits LimitsOf(const Banjo& banjo);

// Whether drivers and driven gears, each ascending, may mount within the
// limits in some arrangement: A is one of the drivers, the last gear one of
// the driven gears and its partner another driver.
template <std::size_t N>
bool MayMount(const ToothLimits& limits, const std::array<std::uint32_t, N>& drivers,
              const std::array<std::uint32_t, N>& driven) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < N; ++i) {
        sum += drivers[i] + driven[i];
    }
    return drivers[0] <= limits.mostA && driven[0] <= limits.mostLast &&
           drivers[0] + driven[0] <= limits.mostSlot && drivers[N - 1] + driven[N - 1] >= limits.leastSlot &&
           sum >= limits.leastReach;
}

// A banjo's figures as given, each where a caller reads it: a lathe file's
// [banjo] table, or the command line's options over a lathe file's banjo.
struct BanjoFigures {
    std::optional<double> module{};
    std::optional<double> dp{}; // diametral pitch: the module is 25.4 / dp
    std::optional<double> centreDistance{};
    std::optional<double> studMin{};
    std::optional<double> studMax{};
    std::optional<double> clearance{}; // none: Banjo's default
    std::optional<std::uint32_t> maxA{};
    std::optional<std::uint32_t> maxLast{};
};

// How a caller names the figures when it says what is wrong with them: a
// lathe file by its keys ("stud_min"), the command line by its options
// ("--stud-min"). Where the two ends of the slot are compared, each stands
// with its owner before it ("the banjo's stud_min", "the lathe's stud_max").
struct BanjoNames {
    std::string_view module;
    std::string_view dp;
    std::string_view centreDistance;
    std::string_view studMin;
    std::string_view studMax;
    std::string_view studMinOwner{};
    std::string_view studMaxOwner{};
    bool quoted = false; // the slot's figures in quotation marks: '80'
};

// The module or the diametral pitch, not both: what is wrong when both are
// given ("module and dp exclude each other: ..."), empty otherwise.
std::string OnePitchProblem(const BanjoFigures& figures, const BanjoNames& names);

// The banjo's rules: the module or the diametral pitch, not both; the centre
// distance and both ends of the slot; stud_min no more than stud_max. Returns
// what is wrong with the figures in the caller's names ("the banjo needs
// stud_max", "--stud-min '85' is above the lathe's stud_max '80'"), or an
// empty string when banjo holds the banjo they give.
std::string BanjoOf(const BanjoFigures& figures, const BanjoNames& names, Banjo& banjo);
