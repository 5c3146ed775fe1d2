// The gear-train search: from a target ratio and the gear stock to at most 100
// four-gear trains within 0.002 of the target, ordered by error.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// One gear train. Each pair is stored ascending; which driver meshes with which
// driven gear is not recorded.
struct SolutionRecord {
    double error; // |q_a * q_b - target|, below 0.002
    std::uint32_t driver1;
    std::uint32_t driver2;
    std::uint32_t driven1;
    std::uint32_t driven2;
};

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

enum class SearchOutcome { NoStock, OutOfRange, Searched };

struct SearchResult {
    SearchOutcome outcome;
    unsigned candidateCount; // raw list length; 0 unless Searched
    std::vector<SolutionRecord> solutions;
};

// How many gears of a tooth count are on hand (1 to 3).
using MultiplicityLookup = std::function<std::uint16_t(std::uint32_t toothCount)>;

// checkedTeeth: ascending, each 16..165 at most once.
SearchResult FindGearTrains(double target, std::span<const std::uint32_t> checkedTeeth,
                            const MultiplicityLookup& multiplicity);
