// A command line of any bytes: the gear-set string is the longest trailing run
// of '"', '0' and '1', or empty (the default set) when that run holds no '0' and
// no '1'; the boxes it checks, written back as a gear-set string at the end of
// a command line, check the same boxes again.
#include "gear_set.h"
#include "require.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace {

std::array<bool, kGearCount> Apply(const std::string& commandLine) {
    const std::string gearSet = ExtractGearSetString(commandLine);
    const std::size_t run =
        commandLine.size() - std::min(commandLine.find_last_not_of("\"01") + 1, commandLine.size());
    const bool onlyQuotes = commandLine.find_first_of("01", commandLine.size() - run) == std::string::npos;
    Require(
        gearSet == (onlyQuotes ? "" : commandLine.substr(commandLine.size() - run)),
        "the gear-set string is the longest trailing run of '\"', '0' and '1', if it holds a '0' or a '1'");
    std::array<bool, kGearCount> checked{};
    for (int i = 0; i < kGearCount; ++i) {
        checked[i] = StartsChecked(gearSet, i);
    }
    return checked;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto checked = Apply(std::string(reinterpret_cast<const char*>(data), size));
    Require(Apply("tandrel.exe " + MakeGearSetString(checked)) == checked,
            "the checked boxes written as a gear-set string check the same boxes");
    return 0;
}
