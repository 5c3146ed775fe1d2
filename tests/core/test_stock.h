// Stocks for the tests: tooth counts with one multiplicity for all, or with
// their multiplicities from a table (an array or a map by tooth count).
#pragma once

#include "stock.h"

#include <cstdint>
#include <vector>

inline Stock StockOf(const std::vector<std::uint32_t>& teeth, std::uint32_t each) {
    Stock stock;
    for (std::uint32_t tooth : teeth) {
        stock.count.at(tooth) = static_cast<std::uint8_t>(each);
    }
    return stock;
}

template <class Table>
requires requires(const Table& table) {
    table.at(0u);
}
Stock StockOf(const std::vector<std::uint32_t>& teeth, const Table& multiplicity) {
    Stock stock;
    for (std::uint32_t tooth : teeth) {
        stock.count.at(tooth) = static_cast<std::uint8_t>(multiplicity.at(tooth));
    }
    return stock;
}
