#include "train.h"

#include <tuple>

double TrainRatio(const SolutionRecord& train) {
    switch (train.gears) {
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

bool TrainBefore(const SolutionRecord& x, const SolutionRecord& y) {
    return std::tie(x.error, x.gears, x.driver1, x.driver2, x.driver3, x.driven1, x.driven2, x.driven3) <
           std::tie(y.error, y.gears, y.driver1, y.driver2, y.driver3, y.driven1, y.driven2, y.driven3);
}

std::vector<std::uint32_t> Drivers(const SolutionRecord& train) {
    switch (train.gears) {
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
    case 2:
        return {train.driven1};
    case 6:
        return {train.driven1, train.driven2, train.driven3};
    default:
        break;
    }
    return {train.driven1, train.driven2};
}
