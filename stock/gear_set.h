// The gear stock without a window: tooth counts and stock indices, the default
// gear set, the gear-set string and the multiplicity table.
#pragma once

#include "stock.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kGearCount = static_cast<int>(kLastTooth - kFirstTooth + 1);

constexpr std::uint32_t ToothOfIndex(int stockIndex) {
    return kFirstTooth + static_cast<std::uint32_t>(stockIndex);
}
constexpr int IndexOfTooth(std::uint32_t tooth) {
    return static_cast<int>(tooth - kFirstTooth);
}

// The trailing run of '"', '0' and '1' at the end of the whole command line;
// empty when the run holds no '0' and no '1' (only quotation marks).
std::string ExtractGearSetString(std::string_view commandLine);

// Whether gear box stockIndex starts checked; an empty string means the default set.
bool StartsChecked(std::string_view gearSet, int stockIndex);

// The boxes a gear-set string checks, as StartsChecked says; what is wrong
// with the string, to follow its quotation in a message, or an empty string.
std::string ReadGearSetString(std::string_view gearSet, std::array<bool, kGearCount>& checked);

// 150 characters, '1' for a checked box, in stock-index order.
std::string MakeGearSetString(const std::array<bool, kGearCount>& checked);

// Gears on hand per tooth count (entries 16..165 used, each 1 to 3).
using MultiplicityTable = std::array<std::uint16_t, kLastTooth + 1>;
MultiplicityTable AllMultiplicitiesOne();

// The stock the gear boxes give: each checked box's tooth count with its multiplicity.
Stock StockOf(const std::array<bool, kGearCount>& checked, const MultiplicityTable& multiplicity);
