// Whether a compound train fits on the banjo by the margin rule. The first
// driver A, on the spindle, meshes the first driven B, on the stud; the second
// driver C shares the stud with B and meshes the second driven D, on the
// leadscrew. The train fits when A + B >= C + margin (C clears the spindle) and
// C + D >= B + margin (B clears the leadscrew), the margin in teeth. A train
// of six gears adds a second stud (Arrangement6).
#pragma once

#include "train.h"

#include <array>
#include <cstdint>
#include <optional>

// The largest margin the program takes: more than any two gears' teeth can clear.
inline constexpr std::uint32_t kMaxFitMargin = 200;

// A, B, C, D: first driver, first driven, second driver, second driven.
using Arrangement = std::array<std::uint32_t, 4>;

constexpr bool Fits(const Arrangement& g, std::uint32_t margin) {
    return g[0] + g[1] >= g[2] + margin && g[2] + g[3] >= g[1] + margin;
}

// A on the spindle meshes B on stud 1; C beside B meshes D on stud 2; E beside
// D meshes F on the leadscrew. Drivers A, C, E; driven gears B, D, F.
using Arrangement6 = std::array<std::uint32_t, 6>;

// The same rule for each stud: C clears the spindle and B clears stud 2, E
// clears stud 1 and D clears the leadscrew.
constexpr bool Fits(const Arrangement6& g, std::uint32_t margin) {
    return g[0] + g[1] >= g[2] + margin && g[2] + g[3] >= g[1] + margin && g[2] + g[3] >= g[4] + margin &&
           g[4] + g[5] >= g[3] + margin;
}

// A compound train's four arrangements in the order they are tried: A =
// driver1 then driver2 and, for each, B = driven1 then driven2.
constexpr std::array<Arrangement, 4> Arrangements(std::uint32_t driver1, std::uint32_t driver2,
                                                  std::uint32_t driven1, std::uint32_t driven2) {
    return {{{driver1, driven1, driver2, driven2},
             {driver1, driven2, driver2, driven1},
             {driver2, driven1, driver1, driven2},
             {driver2, driven2, driver1, driven1}}};
}

// The first of the train's arrangements that fits; none when none fits.
constexpr std::optional<Arrangement> FitArrangement(std::uint32_t driver1, std::uint32_t driver2,
                                                    std::uint32_t driven1, std::uint32_t driven2,
                                                    std::uint32_t margin) {
    for (const Arrangement& g : Arrangements(driver1, driver2, driven1, driven2)) {
        if (Fits(g, margin)) {
            return g;
        }
    }
    return std::nullopt;
}

constexpr std::optional<Arrangement> FitArrangement(const SolutionRecord& train, std::uint32_t margin) {
    return FitArrangement(train.driver1, train.driver2, train.driven1, train.driven2, margin);
}
