// The every-train search: every four-gear train of the stock whose ratio lies
// within a tolerance of the target, one per set of four tooth counts, ordered
// by error. Unlike the bisection search (gear_search.h) it is complete.
#pragma once

#include "gear_search.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// An absolute tolerance, or one relative to the target in parts per million.
struct Tolerance {
    double amount = 0.002;
    bool ppm = false;

    // The ppm amount is scaled first: target * amount may overflow where the tolerance does not.
    double For(double target) const { return ppm ? target * (amount * 1e-6) : amount; }
};

struct EveryTrainOptions {
    double tolerance = 0.002;               // absolute; a train is kept when its error is below it
    std::size_t limit = 100;                // trains listed; 0 lists all
    std::optional<std::uint32_t> fitMargin; // keep only trains that fit with this margin (fit.h)
};

struct EveryTrainResult {
    SearchOutcome outcome;        // NoStock or Searched
    std::uint64_t candidateCount; // trains within tolerance (and fitting), before one per set of gears
    std::uint64_t trainCount;     // one per set of four tooth counts: all the trains there are
    std::vector<SolutionRecord> solutions; // the first `limit` of them
};

// Trains: drivers d1 <= d2 and driven n1 <= n2 from checkedTeeth, a tooth count
// used at most as often as its multiplicity. Ratio r = double(d1 * d2) /
// double(n1 * n2), error |r - target|, kept when the error is below the
// tolerance (and the train fits, with a fit margin). Of the trains made of the
// same four tooth counts only the one with the smallest error, then the
// smallest (d1, d2, n1, n2), counts. Ordered by error, then (d1, d2, n1, n2).
// checkedTeeth: ascending, each 1..255 at most once.
EveryTrainResult FindEveryTrain(double target, std::span<const std::uint32_t> checkedTeeth,
                                const MultiplicityLookup& multiplicity, const EveryTrainOptions& options);
