// Bounds that the complete searches share: how far rounding can move a
// ratio's error, and which quotients of two gears (or gear products) can turn
// one train's split into another within tolerance.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

// The value truncated and held within 0..limit: a whole number at most the
// value when it is positive. (Not floor, which is a library call without SSE4.1.)
inline std::uint32_t WholeAtMost(double value, std::uint32_t limit) {
    return value > 0 ? (value < limit ? static_cast<std::uint32_t>(value) : limit) : 0;
}

// Wider than any rounding can move a ratio's error: a train that the exact
// test passes is within it.
inline double RoughTolerance(double target, double tolerance) {
    return tolerance * (1 + 1e-6) + std::fabs(target) * 1e-14;
}

// rho = sqrt(high / low) for the ratios from low to high within the rough
// tolerance (infinite when low is not above 0). When two splits of the same
// gears into drivers and driven gears are both within tolerance, their ratios
// differ by a factor between 1 / rho^2 and rho^2, and that factor is the
// square of the quotient of the gears (or gear products) the two splits swap.
inline double NearQuotient(double target, double roughTolerance) {
    const double low = target - roughTolerance;
    return low > 0 ? std::sqrt((target + roughTolerance) / low) * (1 + 1e-9)
                   : std::numeric_limits<double>::infinity();
}

// The whole numbers y from 1 to limit with x / y between 1 / rho and rho.
inline std::pair<std::uint32_t, std::uint32_t> NearRange(std::uint32_t x, double rho, std::uint32_t limit) {
    const double lowest = std::ceil(x / rho);
    const double highest = std::floor(x * rho);
    return {lowest > 1 ? static_cast<std::uint32_t>(lowest) : 1,
            highest < limit ? static_cast<std::uint32_t>(highest) : limit};
}
