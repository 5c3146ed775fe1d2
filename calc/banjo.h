// The banjo's geometry: where the studs may stand and which trains it holds.
// All lengths in mm. A gear of z teeth has the pitch radius m * z / 2 and the
// tip radius m * z / 2 + m for the module m; two meshing gears stand the sum
// of their pitch radii apart.
#pragma once

#include "fit.h"

#include <cstdint>
#include <optional>

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

// Four gears A B C D (fit.h): with a = r(A) + r(B) from the spindle to the stud
// and b = r(C) + r(D) from the stud to the leadscrew, b lies in the slot, the
// stud can be placed (|a - b| <= centre distance <= a + b), C's tip clears the
// spindle (tip(C) + clearance <= a), B's tip clears the leadscrew
// (tip(B) + clearance <= b), and A and D keep within maxA and maxLast.
bool Mounts(const Banjo& banjo, const Arrangement& g);

// A simple train: A on the spindle meshes the idler on the stud, which meshes
// D on the leadscrew. b = r(idler) + r(D) lies in the slot, the stud can be
// placed as above, the tip of neither A nor D comes within the clearance of
// the other's shaft, and A and D, which turn in the idler's plane, do not
// touch: tip(A) + tip(D) <= centre distance. A and D keep within maxA and maxLast.
bool MountsSimple(const Banjo& banjo, std::uint32_t a, std::uint32_t idler, std::uint32_t d);

// Six gears A..F (fit.h): stud 2's distance from the leadscrew,
// c = r(E) + r(F), lies in the slot; the mesh distances a = r(A) + r(B),
// b = r(C) + r(D), c and the centre distance close a four-bar chain (none is
// longer than the sum of the other three); C clears the spindle and B clears
// stud 2 (tip + clearance <= a, <= b), E clears stud 1 and D clears the
// leadscrew (<= b, <= c); A and F keep within maxA and maxLast.
bool Mounts(const Banjo& banjo, const Arrangement6& g);
