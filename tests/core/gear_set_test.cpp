#include "gear_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The tooth counts whose boxes start checked for a command line.
std::vector<std::uint32_t> CheckedAtStart(std::string_view commandLine) {
    std::string gearSet = ExtractGearSetString(commandLine);
    std::vector<std::uint32_t> teeth;
    for (int i = 0; i < kGearCount; ++i) {
        if (StartsChecked(gearSet, i)) {
            teeth.push_back(ToothOfIndex(i));
        }
    }
    return teeth;
}

std::vector<std::uint32_t> Range(std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint32_t> teeth;
    for (std::uint32_t t = first; t <= last; ++t) {
        teeth.push_back(t);
    }
    return teeth;
}

} // namespace

TEST(GearSetString, ExtractedFromTheEndOfTheCommandLine) {
    struct Case {
        const char* commandLine;
        const char* gearSet;
    } cases[] = {
        {R"(C:\Tools\tandrel.exe)", ""},
        {R"(C:\Tools\tandrel.exe 0011)", "0011"},
        // Quotation marks alone are no gear-set string: a bare start gets the default set.
        {R"("C:\Program Files\tandrel.exe")", ""},
        {R"("C:\Program Files\tandrel.exe" "")", ""},
        {R"("C:\Program Files\tandrel.exe" "0011")", "\"0011\""},
        {R"(tandrel.exe 0101 x 11)", "11"},
        {R"(tandrel.exe 11 )", ""},
        {"", ""},
        // A line made only of the three characters is a gear-set string in whole.
        {"\"0110", "\"0110"},
        {"1", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractGearSetString(c.commandLine), c.gearSet) << c.commandLine;
    }
}

TEST(GearSetString, AppliedToTheGearBoxes) {
    std::string long151 = "tandrel.exe 1" + std::string(149, '0') + "1";
    std::string long200 = "tandrel.exe " + std::string(200, '1');
    struct Case {
        std::string commandLine;
        std::vector<std::uint32_t> checked;
    } cases[] = {
        {R"(C:\Tools\tandrel.exe)", Range(20, 99)},
        {"tandrel.exe 0011", {18, 19}},
        {R"("C:\Program Files\tandrel.exe")", Range(20, 99)},
        {R"(tandrel.exe "0011")", {19, 20}},
        {"tandrel.exe 0101 x 11", {16, 17}},
        {"tandrel.exe \"\"", Range(20, 99)},
        {"tandrel.exe \"0\"", {}},
        {long151, {16}},
        {long200, Range(16, 165)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckedAtStart(c.commandLine), c.checked) << c.commandLine;
    }
}

TEST(GearSetString, MadeStringRecreatesTheCheckedSet) {
    std::array<bool, kGearCount> none{};
    EXPECT_EQ(MakeGearSetString(none), std::string(150, '0'));

    std::array<bool, kGearCount> checked{};
    for (std::uint32_t t : {16u, 17u, 42u, 90u, 91u, 164u, 165u}) {
        checked[IndexOfTooth(t)] = true;
    }
    std::string gearSet = MakeGearSetString(checked);
    ASSERT_EQ(gearSet.size(), 150u);
    std::string line = R"("C:\Tools\tandrel.exe" )" + gearSet;
    EXPECT_EQ(CheckedAtStart(line), (std::vector<std::uint32_t>{16, 17, 42, 90, 91, 164, 165}));

    // No box checked is not the default set.
    EXPECT_EQ(CheckedAtStart("tandrel.exe " + MakeGearSetString(none)), std::vector<std::uint32_t>{});
}

TEST(GearStock, EveryMultiplicityStartsAtOne) {
    MultiplicityTable table = AllMultiplicitiesOne();
    for (std::uint32_t t = 0; t < table.size(); ++t) {
        EXPECT_EQ(table[t], t >= 16 ? 1 : 0) << t;
    }
}
