// Trains of six gears: A on the spindle meshes B on stud 1, C beside B meshes
// D on stud 2, E beside D meshes F on the leadscrew, for the ratio
// (A * C * E) / (B * D * F). A complete search, as the every-train search is
// (every_train.h), for when four gears cannot reach.
#pragma once

#include "every_train.h"
#include "stock.h"
#include "train.h"

// Trains: drivers d1 <= d2 <= d3 and driven n1 <= n2 <= n3 from the stock, a
// tooth count used at most as often as its multiplicity. Ratio r =
// double(d1 * d2 * d3) / double(n1 * n2 * n3), error |r - target|, kept when
// the error is below the tolerance (and the train mounts, with a fit margin:
// FitRule in mount.h). Of the trains made of the same six tooth counts only the
// one with the smallest error, then the smallest (d1, d2, d3, n1, n2, n3),
// counts. Ordered by TrainBefore (train.h). The outcome is
// NoStock or Searched; candidateCount counts the trains within tolerance (and
// mounting) before one per set of gears is kept, trainCount one per set of six
// tooth counts. Counting them means meeting every train within tolerance, which
// the search otherwise avoids: with options.count false both stay 0. Tooth
// counts 1 to 255.
SearchResult FindSixGearTrains(double target, const Stock& stock, const EveryTrainOptions& options);
