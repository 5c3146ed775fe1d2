// A gear list of any bytes: no fault; a list that reads writes back as a list
// that reads to the same stock, and writing that stock again gives the same
// text. The bytes as a stock (a count of 0 to 3 per size) write as a list that
// reads back to it.
#include "gear_list.h"
#include "require.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

void RequireRoundTrip(const Stock& stock) {
    const std::string list = GearListText(stock);
    Stock read;
    Require(ReadGearList(list, read).empty(), "a written list reads");
    Require(read == stock, "a written list reads back to the same stock");
    Require(GearListText(read) == list, "the same stock writes the same list");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Stock stock;
    if (ReadGearList(std::string_view(reinterpret_cast<const char*>(data), size), stock).empty()) {
        RequireRoundTrip(stock);
    }
    Stock fromBytes;
    for (std::size_t i = 0; i < size && i <= kLastTooth - kFirstTooth; ++i) {
        fromBytes.count[kFirstTooth + i] = static_cast<std::uint8_t>(data[i] % (kMaxMultiplicity + 1));
    }
    RequireRoundTrip(fromBytes);
    return 0;
}
