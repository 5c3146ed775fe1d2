#include "stock.h"

std::vector<std::uint32_t> Stock::Teeth() const {
    std::vector<std::uint32_t> teeth;
    for (std::uint32_t tooth = 0; tooth <= kMaxSearchTooth; ++tooth) {
        if (count[tooth] != 0) {
            teeth.push_back(tooth);
        }
    }
    return teeth;
}

Stock DefaultStock() {
    Stock stock;
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        stock.count[tooth] = InDefaultSet(tooth) ? 1 : 0;
    }
    return stock;
}
