// The simple trains: a driver A on the spindle meshes an idler on the stud,
// which meshes the driven gear D on the leadscrew, for the ratio A / D. A
// complete search, as the every-train search is (every_train.h).
#pragma once

#include "every_train.h"
#include "stock.h"
#include "train.h"

// Trains: A and D from the stock (the same tooth count only when two such
// gears are on hand), ratio double(A) / double(D), error |ratio - target|,
// kept when the error is below the tolerance. The idler is the smallest gear
// on hand besides A and D that mounts with them (mount.h: by the banjo's
// geometry when there is one; the margin rule holds every simple train); with
// the fit off and none mounting, the smallest gear on hand besides A and D. A
// train needs an idler, and with the fit on, one that mounts. Of A / D and
// D / A only the one with the smaller error, then the smaller (A, D), counts.
// Ordered by TrainBefore (train.h). candidateCount counts the trains before one
// per pair of tooth counts is kept, trainCount one per pair. Tooth counts 1 to 255.
SearchResult FindSimpleTrains(double target, const Stock& stock, const EveryTrainOptions& options);
