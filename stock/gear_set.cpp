#include "gear_set.h"

#include "number_text.h"

namespace {

bool InGearSetString(char c) {
    return c == '"' || c == '0' || c == '1';
}

} // namespace

std::string ExtractGearSetString(std::string_view commandLine) {
    std::size_t start = commandLine.size();
    while (start > 0 && InGearSetString(commandLine[start - 1])) {
        --start;
    }
    std::string_view run = commandLine.substr(start);
    // A program started bare has its quoted path alone on the command line, so
    // the run is the closing quotation mark: that start gets the default set.
    if (run.find_first_of("01") == std::string_view::npos) {
        return {};
    }
    return std::string(run);
}

bool StartsChecked(std::string_view gearSet, int stockIndex) {
    if (gearSet.empty()) {
        return InDefaultSet(ToothOfIndex(stockIndex));
    }
    return stockIndex >= 0 && static_cast<std::size_t>(stockIndex) < gearSet.size() &&
           gearSet[stockIndex] == '1';
}

std::string ReadGearSetString(std::string_view gearSet, std::array<bool, kGearCount>& checked) {
    for (char c : gearSet) {
        if (!InGearSetString(c)) {
            return "holds " + Quoted(std::string_view(&c, 1)) + ", which is not 0, 1 or a quotation mark";
        }
    }
    for (int index = 0; index < kGearCount; ++index) {
        checked[index] = StartsChecked(gearSet, index);
    }
    return {};
}

std::string MakeGearSetString(const std::array<bool, kGearCount>& checked) {
    std::string gearSet(kGearCount, '0');
    for (int i = 0; i < kGearCount; ++i) {
        if (checked[i]) {
            gearSet[i] = '1';
        }
    }
    return gearSet;
}

MultiplicityTable AllMultiplicitiesOne() {
    MultiplicityTable table{};
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        table[tooth] = 1;
    }
    return table;
}

Stock StockOf(const std::array<bool, kGearCount>& checked, const MultiplicityTable& multiplicity) {
    Stock stock;
    for (int i = 0; i < kGearCount; ++i) {
        const std::uint32_t tooth = ToothOfIndex(i);
        stock.count[tooth] = checked[i] ? static_cast<std::uint8_t>(multiplicity[tooth]) : 0;
    }
    return stock;
}
