#include "cli_options.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string_view>;

CliParse Parse(const Args& args) {
    return ParseArguments(args);
}

std::vector<std::uint32_t> Range(std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint32_t> teeth(last - first + 1);
    std::iota(teeth.begin(), teeth.end(), first);
    return teeth;
}

} // namespace

TEST(ParseArguments, GearStockFromTeethGearSetOrDefault) {
    const std::string longGearSet(160, '1');
    struct Case {
        Args args;
        std::vector<std::uint32_t> teeth;
    } cases[] = {
        {{"1.5"}, Range(20, 99)},
        {{"--gears", "", "1.5"}, Range(20, 99)}, // an empty gear-set string means the default set
        {{"--gears", "0011", "1.5"}, {18, 19}},
        {{"--gears", "\"0011\"", "1.5"}, {19, 20}}, // a quotation mark takes a position
        {{"--gears", "0000", "1.5"}, {}},
        {{"--gears", longGearSet, "1.5"}, Range(16, 165)},
        {{"--teeth", "127,20-22,21", "1.5"}, {20, 21, 22, 127}},
        {{"--teeth=16,165", "1.5"}, {16, 165}},
        {{"--teeth", "40-40", "1.5"}, {40}},
    };
    for (const Case& c : cases) {
        CliParse parse = Parse(c.args);
        ASSERT_EQ(parse.action, CliAction::Search) << parse.error;
        EXPECT_EQ(parse.request.checkedTeeth, c.teeth) << *(c.args.end() - 2);
    }
}

TEST(ParseArguments, MultiplicitiesFlagsAndFormat) {
    CliParse parse = Parse({"--mult", "40=2", "--driver-larger-first", "--mult=127=3", "--format", "json",
                            "--mult", "40=3", "--driven-smaller-first", "2.54"});
    ASSERT_EQ(parse.action, CliAction::Search) << parse.error;
    const CliRequest& request = parse.request;
    EXPECT_EQ(request.ratioText, "2.54");
    EXPECT_EQ(request.multiplicity[40], 3); // the last one given counts
    EXPECT_EQ(request.multiplicity[127], 3);
    EXPECT_EQ(request.multiplicity[41], 1);
    EXPECT_FALSE(request.firstDriverSmaller);
    EXPECT_FALSE(request.firstDrivenLarger);
    EXPECT_EQ(request.format, OutputFormat::Json);

    CliParse defaults = Parse({"7"});
    ASSERT_EQ(defaults.action, CliAction::Search);
    EXPECT_TRUE(defaults.request.firstDriverSmaller);
    EXPECT_TRUE(defaults.request.firstDrivenLarger);
    EXPECT_EQ(defaults.request.format, OutputFormat::Text);
    EXPECT_EQ(defaults.request.multiplicity, AllMultiplicitiesOne());
    EXPECT_EQ(Parse({"--format=csv", ".5"}).request.format, OutputFormat::Csv);
}

TEST(ParseArguments, RatioTextIsKeptWhole) {
    for (std::string_view ratio : {"0", "12.", ".25", "1.2345678901234567890"}) {
        CliParse parse = Parse({ratio});
        ASSERT_EQ(parse.action, CliAction::Search) << ratio;
        EXPECT_EQ(parse.request.ratioText, ratio);
    }
}

TEST(ParseArguments, HelpWinsOverLaterArguments) {
    EXPECT_EQ(Parse({"--help"}).action, CliAction::Help);
    EXPECT_EQ(Parse({"-h", "--bogus"}).action, CliAction::Help);
    EXPECT_EQ(Parse({"1.5", "--format", "json", "--help"}).action, CliAction::Help);
}

TEST(ParseArguments, BadArgumentsAreNamed) {
    struct Case {
        Args args;
        std::string_view named;
    } cases[] = {
        {{}, "RATIO is missing"},
        {{"--teeth", "20-40"}, "RATIO is missing"},
        {{""}, "RATIO is empty"},
        {{"-1.5"}, "RATIO '-1.5' is negative"},
        {{"-.5"}, "RATIO '-.5' is negative"},
        {{"."}, "RATIO '.'"},
        {{"1.2.3"}, "RATIO '1.2.3'"},
        {{"1e5"}, "RATIO '1e5'"},
        {{"abc"}, "RATIO 'abc'"},
        {{"-"}, "RATIO '-'"},
        {{"1.5", "2"}, "'2'"},
        {{"--teeth", "15-40", "1"}, "--teeth '15-40': tooth count 15 is outside 16..165"},
        {{"--teeth", "20,166", "1"}, "--teeth '20,166': tooth count 166 is outside 16..165"},
        {{"--teeth", "99999999999", "1"}, "--teeth '99999999999'"},
        {{"--teeth", "40-20", "1"}, "--teeth '40-20'"},
        {{"--teeth", "20,,30", "1"}, "--teeth '20,,30'"},
        {{"--teeth", "20-", "1"}, "--teeth '20-'"},
        {{"--teeth", "", "1"}, "--teeth ''"},
        {{"--mult", "40=4", "1"}, "--mult '40=4': multiplicity 4 is outside 1..3"},
        {{"--mult", "40=0", "1"}, "--mult '40=0'"},
        {{"--mult", "40", "1"}, "--mult '40'"},
        {{"--mult", "40=", "1"}, "--mult '40='"},
        {{"--mult", "170=2", "1"}, "--mult '170=2'"},
        {{"--mult", "40=2=2", "1"}, "--mult '40=2=2'"},
        {{"--gears", "01x1", "1"}, "--gears '01x1'"},
        {{"--teeth", "20-99", "--gears", "11", "1"}, "--gears '11'"},
        {{"--teeth", "20", "--teeth", "30", "1"}, "--teeth"},
        {{"--format", "xml", "1"}, "--format 'xml'"},
        {{"1", "--format"}, "--format"},
        {{"--frobnicate", "1"}, "unknown option '--frobnicate'"},
        {{"--ever\n\t", "1"}, "unknown option '--ever\\x0A\\x09'"},
        {{"--driver-larger-first=1", "1"}, "driver-larger-first"},
    };
    for (const Case& c : cases) {
        CliParse parse = Parse(c.args);
        std::string args;
        for (std::string_view arg : c.args) {
            args += " [" + std::string(arg) + "]";
        }
        ASSERT_EQ(parse.action, CliAction::BadArgument) << args;
        EXPECT_NE(parse.error.find(c.named), std::string::npos) << parse.error;
        EXPECT_TRUE(parse.error.starts_with("tandrel-cli: ")) << parse.error;
        EXPECT_TRUE(parse.error.ends_with("(see tandrel-cli --help)")) << parse.error;
        EXPECT_EQ(parse.error.find('\n'), std::string::npos) << parse.error;
    }
}
