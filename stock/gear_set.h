// The gear stock without a window: tooth counts and stock indices, the default
// gear set, the gear-set string and the multiplicity table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::uint32_t kFirstTooth = 16;
inline constexpr std::uint32_t kLastTooth = 165;
inline constexpr int kGearCount = 150;

constexpr std::uint32_t ToothOfIndex(int stockIndex) {
    return kFirstTooth + static_cast<std::uint32_t>(stockIndex);
}
constexpr int IndexOfTooth(std::uint32_t tooth) {
    return static_cast<int>(tooth - kFirstTooth);
}

// Tooth counts 20..99.
constexpr bool InDefaultGearSet(int stockIndex) {
    return stockIndex >= 4 && stockIndex <= 83;
}

// The trailing run of '"', '0' and '1' at the end of the whole command line;
// empty when the run holds no '0' and no '1' (only quotation marks).
std::string ExtractGearSetString(std::string_view commandLine);

// Whether gear box stockIndex starts checked; an empty string means the default set.
bool StartsChecked(std::string_view gearSet, int stockIndex);

// 150 characters, '1' for a checked box, in stock-index order.
std::string MakeGearSetString(const std::array<bool, kGearCount>& checked);

// Gears on hand per tooth count (entries 16..165 used, each 1 to 3).
using MultiplicityTable = std::array<std::uint16_t, kLastTooth + 1>;
MultiplicityTable AllMultiplicitiesOne();
