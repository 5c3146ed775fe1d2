// The gear-train search: from a target ratio and the gear stock to at most 100
// four-gear trains within 0.002 of the target, ordered by error.
#pragma once

#include "stock.h"
#include "train.h"

#include <cstdint>

// A train is kept when its error is below this.
inline constexpr double kBisectionTolerance = 0.002;

// One (driver, driven) pair of checked tooth counts.
struct GearPair {
    double quotient; // driver / driven
    std::uint32_t driver;
    std::uint32_t driven;
};

// A partner pair found for one pair while it is being completed.
struct Candidate {
    double error;
    std::uint32_t pairIndex;
    std::uint32_t partnerIndex;
};

// The bisection search over the tooth counts on hand (16..165): at most 100
// trains with an error below 0.002, each within the stock's multiplicities,
// ordered by error and equal errors as TrainBefore (train.h) orders them.
// candidateCount is the length of the raw list, before ordering and filters.
SearchResult FindGearTrains(double target, const Stock& stock);
