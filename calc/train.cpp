#include "train.h"

#include <algorithm>
#include <tuple>

namespace {

std::uint32_t Largest(const SolutionRecord& t) {
    return std::max({t.driver1, t.driver2, t.driver3, t.driven1, t.driven2, t.driven3});
}

} // namespace

namespace {

double GearsRatio(const SolutionRecord& train) {
    switch (train.gears) {
    case 0:
        return 1;
    case 2:
        return static_cast<double>(train.driver1) / static_cast<double>(train.driven1);
    case 6:
        return static_cast<double>(train.driver1 * train.driver2 * train.driver3) /
               static_cast<double>(train.driven1 * train.driven2 * train.driven3);
    default:
        break;
    }
    return static_cast<double>(train.driver1 * train.driver2) /
           static_cast<double>(train.driven1 * train.driven2);
}

} // namespace

double TrainRatio(const SolutionRecord& train) {
    return GearsRatio(train) * train.box;
}

// The fields a kind does not use are 0.
std::uint32_t ToothSum(const SolutionRecord& t) {
    return t.driver1 + t.driver2 + t.driver3 + t.driven1 + t.driven2 + t.driven3;
}

bool TrainBefore(const SolutionRecord& x, const SolutionRecord& y) {
    if (x.error < y.error || y.error < x.error) {
        return x.error < y.error;
    }
    if (x.gears != y.gears) {
        return x.gears < y.gears;
    }
    if (const std::uint32_t sx = ToothSum(x), sy = ToothSum(y); sx != sy) {
        return sx < sy;
    }
    if (const std::uint32_t lx = Largest(x), ly = Largest(y); lx != ly) {
        return lx < ly;
    }
    return std::tie(x.driver1, x.driver2, x.driver3, x.driven1, x.driven2, x.driven3) <
           std::tie(y.driver1, y.driver2, y.driver3, y.driven1, y.driven2, y.driven3);
}

std::vector<std::uint32_t> Drivers(const SolutionRecord& train) {
    switch (train.gears) {
    case 0:
        return {};
    case 2:
        return {train.driver1};
    case 6:
        return {train.driver1, train.driver2, train.driver3};
    default:
        break;
    }
    return {train.driver1, train.driver2};
}

std::vector<std::uint32_t> Driven(const SolutionRecord& train) {
    switch (train.gears) {
    case 0:
        return {};
    case 2:
        return {train.driven1};
    case 6:
        return {train.driven1, train.driven2, train.driven3};
    default:
        break;
    }
    return {train.driven1, train.driven2};
}
