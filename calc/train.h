// A four-gear train as the searches find it, and what a search returns.
#pragma once

#include <cstdint>
#include <vector>

// One gear train. Each pair is stored ascending; which driver meshes with which
// driven gear is not recorded.
struct SolutionRecord {
    double error; // |ratio - target|
    std::uint32_t driver1;
    std::uint32_t driver2;
    std::uint32_t driven1;
    std::uint32_t driven2;
};

enum class SearchOutcome { NoStock, OutOfRange, Searched };

struct SearchResult {
    SearchOutcome outcome;
    std::uint64_t candidateCount;          // trains met before the filters; 0 unless Searched
    std::vector<SolutionRecord> solutions; // ordered by error
    std::uint64_t trainCount = 0;          // the every-train search: all trains, one per set of gears
};

// The ratio of the integer tooth products, (d1 * d2) / (n1 * n2), one division.
double TrainRatio(const SolutionRecord& train);
