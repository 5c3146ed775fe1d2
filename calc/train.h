// A gear train as the searches find it, and what a search returns.
#pragma once

#include <cstdint>
#include <vector>

// One gear train. A compound train of four gears: two drivers and two driven
// gears, each pair stored ascending; which driver meshes with which driven
// gear is not recorded. The fields after the first five describe the other
// kinds: a simple train of two gears (driver1 the driver A, driven1 the driven
// gear D, the other tooth fields 0, and the idler between them) and a train of
// six gears (three drivers and three driven gears, each trio ascending).
// Behind a quick-change gearbox a train also names its setting and the box's
// ratio; the plate's own change gears, whatever they are, stand as a train of
// no gears whose box ratio is the plate gears' and the setting's together.
struct SolutionRecord {
    double error; // |ratio - target|
    std::uint32_t driver1;
    std::uint32_t driver2;
    std::uint32_t driven1;
    std::uint32_t driven2;
    std::uint32_t gears = 4;   // 2, 4 or 6: the gears that set the ratio
    std::uint32_t driver3 = 0; // six gears: the largest driver
    std::uint32_t driven3 = 0; // six gears: the largest driven gear
    std::uint32_t idler = 0;   // two gears: the idler on the stud, which leaves the ratio alone
    std::uint32_t setting = 0; // behind a gearbox: its setting, from 1 in the lathe's order; 0 without
    double box = 1;            // the ratio the gearbox adds: the setting's (with the plate gears' for none)
};

enum class SearchOutcome { NoStock, OutOfRange, Searched };

struct SearchResult {
    SearchOutcome outcome;
    std::uint64_t candidateCount;          // trains met before the filters; 0 unless Searched
    std::vector<SolutionRecord> solutions; // ordered by error
    std::uint64_t trainCount = 0;          // the complete searches: all trains, one per set of gears
};

// The ratio of the integer tooth products, drivers over driven gears, one
// division, times the box ratio: the ratio at the leadscrew.
double TrainRatio(const SolutionRecord& train);

// The order of the lists: by error, then fewer gears, then smaller gears: the
// smaller sum of the tooth counts that set the ratio (the drivers and the
// driven gears; not a simple train's idler), then the smaller largest of
// them, then the drivers and the driven gears ascending (driver1, driver2,
// driver3, driven1, driven2, driven3). Among exact trains the compact ones
// come first.
bool TrainBefore(const SolutionRecord& x, const SolutionRecord& y);

// The sum of the tooth counts that set the ratio, TrainBefore's first measure of size.
std::uint32_t ToothSum(const SolutionRecord& train);

// The drivers and the driven gears, each ascending; none for the plate's gears.
std::vector<std::uint32_t> Drivers(const SolutionRecord& train);
std::vector<std::uint32_t> Driven(const SolutionRecord& train);
