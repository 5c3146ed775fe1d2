// The every-train search: every four-gear train of the stock whose ratio lies
// within a tolerance of the target, one per set of four tooth counts, ordered
// by error. Unlike the bisection search (gear_search.h) it is complete.
#pragma once

#include "stock.h"
#include "train.h"

#include <cstddef>
#include <cstdint>
#include <optional>

struct EveryTrainOptions {
    double tolerance = 0.002;               // absolute; a train is kept when its error is below it
    std::size_t limit = 100;                // trains listed; 0 lists all
    std::optional<std::uint32_t> fitMargin; // keep only trains that fit with this margin (fit.h)
};

// Trains: drivers d1 <= d2 and driven n1 <= n2 from the stock, a tooth count
// used at most as often as its multiplicity. Ratio r = double(d1 * d2) /
// double(n1 * n2), error |r - target|, kept when the error is below the
// tolerance (and the train fits, with a fit margin). Of the trains made of the
// same four tooth counts only the one with the smallest error, then the
// smallest (d1, d2, n1, n2), counts. Ordered by error, then (d1, d2, n1, n2).
// The outcome is NoStock or Searched; candidateCount counts the trains within
// tolerance (and fitting) before one per set of gears is kept, trainCount one
// per set of four tooth counts: all the trains there are. Tooth counts 1 to 255.
SearchResult FindEveryTrain(double target, const Stock& stock, const EveryTrainOptions& options);
