// The gears on hand: how many gears of each tooth count, the one table that
// every search, the chart and the front ends share.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The tooth counts a machinist's gear boxes offer.
inline constexpr std::uint32_t kFirstTooth = 16;
inline constexpr std::uint32_t kLastTooth = 165;
// At most three gears of one size are on hand.
inline constexpr std::uint32_t kMaxMultiplicity = 3;
// The searches take any tooth count up to this (tests use small and odd ones).
inline constexpr std::uint32_t kMaxSearchTooth = 255;

// The default set: tooth counts 20 to 99, one of each.
constexpr bool InDefaultSet(std::uint32_t tooth) {
    return tooth >= 20 && tooth <= 99;
}

struct Stock {
    // Gears on hand by tooth count: 0 when none, otherwise 1 to 3.
    std::array<std::uint8_t, kMaxSearchTooth + 1> count{};

    // The tooth counts on hand, ascending.
    std::vector<std::uint32_t> Teeth() const;

    bool operator==(const Stock&) const = default;
};

// The default set, one gear of each size.
Stock DefaultStock();
