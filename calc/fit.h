// Whether a compound train fits on the banjo. The first driver A, on the
// spindle, meshes the first driven B, on the stud; the second driver C shares
// the stud with B and meshes the second driven D, on the leadscrew. The train
// fits when A + B >= C + margin (C clears the spindle) and C + D >= B + margin
// (B clears the leadscrew), the margin in teeth.
#pragma once

#include "train.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The largest margin the program takes: more than any two gears' teeth can clear.
inline constexpr std::uint32_t kMaxFitMargin = 200;

// A, B, C, D: first driver, first driven, second driver, second driven.
using Arrangement = std::array<std::uint32_t, 4>;

constexpr bool Fits(const Arrangement& g, std::uint32_t margin) {
    return g[0] + g[1] >= g[2] + margin && g[2] + g[3] >= g[1] + margin;
}

// The first of the train's four arrangements that fits, trying A = driver1
// then driver2 and, for each, B = driven1 then driven2; none when none fits.
constexpr std::optional<Arrangement> FitArrangement(std::uint32_t driver1, std::uint32_t driver2,
                                                    std::uint32_t driven1, std::uint32_t driven2,
                                                    std::uint32_t margin) {
    const std::array<Arrangement, 4> tries = {{{driver1, driven1, driver2, driven2},
                                               {driver1, driven2, driver2, driven1},
                                               {driver2, driven1, driver1, driven2},
                                               {driver2, driven2, driver1, driven1}}};
    for (const Arrangement& g : tries) {
        if (Fits(g, margin)) {
            return g;
        }
    }
    return std::nullopt;
}

constexpr std::optional<Arrangement> FitArrangement(const SolutionRecord& train, std::uint32_t margin) {
    return FitArrangement(train.driver1, train.driver2, train.driven1, train.driven2, margin);
}

// Keeps, in their order, only the trains that fit in one of their arrangements.
inline void KeepFittingTrains(std::vector<SolutionRecord>& trains, std::uint32_t margin) {
    std::erase_if(trains, [&](const SolutionRecord& train) { return !FitArrangement(train, margin); });
}
