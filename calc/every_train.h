// The every-train search: every four-gear train of the stock whose ratio lies
// within a tolerance of the target, one per set of four tooth counts, ordered
// by error. Unlike the bisection search (gear_search.h) it is complete.
#pragma once

#include "banjo.h"
#include "stock.h"
#include "train.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// The options of the complete searches: this one and those of simple and
// six-gear trains (simple_train.h, six_gear.h).
struct EveryTrainOptions {
    double tolerance = 0.002;               // absolute; a train is kept when its error is below it
    std::size_t limit = 100;                // trains listed; 0 lists all
    std::optional<std::uint32_t> fitMargin; // keep only trains that fit with this margin (fit.h)
    std::optional<Banjo> banjo{}; // with a fit margin: the banjo's geometry decides instead (mount.h)
    bool count = true;            // false: the four- and six-gear searches leave their counts 0
};

// Trains: drivers d1 <= d2 and driven n1 <= n2 from the stock, a tooth count
// used at most as often as its multiplicity. Ratio r = double(d1 * d2) /
// double(n1 * n2), error |r - target|, kept when the error is below the
// tolerance (and the train mounts, with a fit margin: FitRule). Of the trains made of the
// same four tooth counts only the one with the smallest error, then the
// smallest (d1, d2, n1, n2), counts. Ordered by TrainBefore (train.h).
// The outcome is NoStock or Searched; candidateCount counts the trains within
// tolerance (and fitting) before one per set of gears is kept, trainCount one
// per set of four tooth counts: all the trains there are. Tooth counts 1 to 255.
SearchResult FindEveryTrain(double target, const Stock& stock, const EveryTrainOptions& options);
