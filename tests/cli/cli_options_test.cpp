#include "cli_options.h"

#include "gear_list.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
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
        {{"--gears", "0011", "1.5"}, {18, 19}},
        {{"--gears", "\"0011\"", "1.5"}, {19, 20}}, // a quotation mark takes a position
        {{"--gears", "0000", "1.5"}, {}},
        {{"--gears", longGearSet, "1.5"}, Range(16, 165)},
        {{"--teeth", "127,20-22", "1.5"}, {20, 21, 22, 127}},
        {{"--teeth", "20-26/3 40x2", "1.5"}, {20, 23, 26, 40}},
        {{"--teeth=16,165", "1.5"}, {16, 165}},
        {{"--teeth", "40-40", "1.5"}, {40}},
    };
    for (const Case& c : cases) {
        CliParse parse = Parse(c.args);
        ASSERT_EQ(parse.action, CliAction::Search) << parse.text;
        EXPECT_EQ(parse.request.search.stock.Teeth(), c.teeth) << *(c.args.end() - 2);
    }
}

TEST(ParseArguments, MultiplicitiesFlagsAndFormat) {
    CliParse parse = Parse({"--mult", "40=2", "--driver-larger-first", "--mult=127=3", "--format", "json",
                            "--mult", "40=3", "--driven-smaller-first", "2.54"});
    ASSERT_EQ(parse.action, CliAction::Search) << parse.text;
    const CliRequest& request = parse.request;
    EXPECT_EQ(request.search.target, 2.54);
    EXPECT_EQ(request.search.stock.count[40], 3);  // the last one given counts
    EXPECT_EQ(request.search.stock.count[127], 0); // not on hand
    EXPECT_EQ(request.search.stock.count[41], 1);
    EXPECT_FALSE(request.firstDriverSmaller);
    EXPECT_FALSE(request.firstDrivenLarger);
    EXPECT_EQ(request.format, OutputFormat::Json);

    CliParse defaults = Parse({"7"});
    ASSERT_EQ(defaults.action, CliAction::Search);
    EXPECT_TRUE(defaults.request.firstDriverSmaller);
    EXPECT_TRUE(defaults.request.firstDrivenLarger);
    EXPECT_EQ(defaults.request.format, OutputFormat::Text);
    EXPECT_EQ(defaults.request.search.stock, DefaultStock());
    EXPECT_EQ(Parse({"--format=csv", ".5"}).request.format, OutputFormat::Csv);
}

// The target is what the window's field would give for the text: its first 17 characters.
TEST(ParseArguments, RatioReadsAsTheField) {
    for (auto [ratio, target] :
         {std::pair{"0", 0.0}, {"12.", 12.0}, {".25", 0.25}, {"1.2345678901234567890", 1.234567890123456}}) {
        CliParse parse = Parse({ratio});
        ASSERT_EQ(parse.action, CliAction::Search) << ratio;
        EXPECT_EQ(parse.request.search.target, target);
    }
}

// A thread's target gets the relative tolerance unless --tolerance says
// otherwise; designations in --pitch and in lists with spaces after commas.
TEST(ParseArguments, ThreadsDefaultToTheRelativeTolerance) {
    EXPECT_EQ(Parse({"--every", "1.5"}).request.search.tolerance, Tolerance{});
    const CliParse thread = Parse({"--every", "--pitch", "M6", "--leadscrew", "8 tpi"});
    EXPECT_EQ(thread.request.search.tolerance, kThreadTolerance);
    EXPECT_EQ(thread.request.thread->pitch.designation, "M6");
    EXPECT_EQ(Parse({"--every", "--tolerance", "20ppm", "--pitch", "1mm", "--leadscrew", "2mm"})
                  .request.search.tolerance,
              (Tolerance{20, true}));
    const CliParse chart = Parse({"chart", "--leadscrew", "3mm", "--pitches", "M6, 1/4 BSW,8tpi"});
    ASSERT_EQ(chart.action, CliAction::Chart) << chart.text;
    EXPECT_EQ(chart.request.chart.search.tolerance, kThreadTolerance);
    EXPECT_EQ(chart.request.chart.pitches[1].designation, "1/4 BSW");
}

TEST(ParseArguments, HelpWinsOverLaterArguments) {
    EXPECT_EQ(Parse({"--help"}).action, CliAction::Help);
    EXPECT_EQ(Parse({"-h", "--bogus"}).action, CliAction::Help);
    EXPECT_EQ(Parse({"1.5", "--format", "json", "--help"}).action, CliAction::Help);
}

// The train kind, the banjo (dp as its module) and the fit by its geometry.
TEST(ParseArguments, TrainsAndTheBanjo) {
    const Args banjo = {"--dp", "16", "--centre-distance", "110", "--stud-min", "40", "--stud-max", "95"};
    Args args = banjo;
    args.insert(args.end(), {"--train", "any", "1.5", "--fit"});
    CliParse parse = Parse(args);
    ASSERT_EQ(parse.action, CliAction::Search) << parse.text;
    const SearchRequest& search = parse.request.search;
    EXPECT_EQ(search.train, TrainKind::Any);
    ASSERT_TRUE(search.banjo);
    EXPECT_EQ(*search.banjo, (Banjo{25.4 / 16, 110, 40, 95, 3, std::nullopt, std::nullopt}));
    EXPECT_TRUE(search.fitMargin); // the fit is on, by the geometry
    Args chart = {"chart", "--leadscrew", "8tpi", "--metric"};
    chart.insert(chart.end(), banjo.begin(), banjo.end());
    EXPECT_EQ(Parse(chart).request.chart.search.banjo, search.banjo);

    for (auto [kind, train] :
         {std::pair{"2", TrainKind::Simple}, {"4", TrainKind::Compound}, {"6", TrainKind::Six}}) {
        EXPECT_EQ(Parse({"--train", kind, "1.5"}).request.search.train, train);
    }
    CliParse plain = Parse({"1.5", "--module", "1", "--centre-distance", "80", "--stud-min", "30",
                            "--stud-max", "70", "--clearance", "0", "--max-a", "60", "--max-last", "100"});
    ASSERT_EQ(plain.action, CliAction::Search) << plain.text;
    EXPECT_EQ(*plain.request.search.banjo, (Banjo{1, 80, 30, 70, 0, 60, 100}));
    EXPECT_FALSE(plain.request.search.fitMargin); // the banjo alone arranges, it does not filter
}

// A lathe file gives what no option gives: the gears, the leadscrew, the fixed
// ratio and the fit margin; --mult still counts on top of its gears.
TEST(ParseArguments, LatheFileStandsInForTheOptionsNotGiven) {
    const std::string mini = TANDREL_EXAMPLE_LATHES "/mini.tandrel";
    const std::string imperial = TANDREL_EXAMPLE_LATHES "/imperial.tandrel";
    const CliParse fromFile = Parse({"--lathe", mini, "--mult", "20=2", "1.5"});
    ASSERT_EQ(fromFile.action, CliAction::Search) << fromFile.text;
    EXPECT_EQ(fromFile.request.search.stock.Teeth(),
              (std::vector<std::uint32_t>{20, 30, 35, 40, 45, 50, 55, 57, 60, 65, 80}));
    EXPECT_EQ(fromFile.request.search.stock.count[40], 2);
    EXPECT_EQ(fromFile.request.search.stock.count[20], 2);
    EXPECT_EQ(fromFile.request.search.fitMargin, 12u);

    const CliParse overridden = Parse({"--teeth", "20-30", "--fit", "3", "--lathe", mini, "1.5"});
    EXPECT_EQ(overridden.request.search.stock.Teeth(), Range(20, 30));
    EXPECT_EQ(overridden.request.search.fitMargin, 3u);

    const CliParse thread = Parse({"--lathe", imperial, "--pitch", "1.25mm"});
    ASSERT_EQ(thread.action, CliAction::Search) << thread.text;
    EXPECT_EQ(thread.request.thread->leadscrew.value, 8);
    EXPECT_EQ(thread.request.thread->leadscrew.unit, PitchUnit::Tpi);
    EXPECT_EQ(thread.request.thread->fixed, 1);
    EXPECT_EQ(thread.request.search.stock.count[127], 1);
    const CliParse ownLeadscrew =
        Parse({"--lathe", imperial, "--pitch", "1.25mm", "--leadscrew", "2mm", "--fixed", "0,5"});
    EXPECT_EQ(ownLeadscrew.request.thread->leadscrew.unit, PitchUnit::Mm);
    EXPECT_EQ(ownLeadscrew.request.thread->fixed, 0.5);

    const CliParse metric = Parse({"--lathe", TANDREL_EXAMPLE_LATHES "/metric.tandrel", "--pitch", "1mm"});
    EXPECT_EQ(GearListText(metric.request.search.stock), "20-80/5, 35x2");
    EXPECT_EQ(metric.request.thread->leadscrew.value, 3);

    const CliParse chart = Parse({"chart", "--lathe", mini, "--metric"});
    ASSERT_EQ(chart.action, CliAction::Chart) << chart.text;
    EXPECT_EQ(chart.request.chart.lathe.leadscrew.value, 16);
    EXPECT_EQ(chart.request.chart.search.fitMargin, 12u);

    // The banjo: the file's, each of its figures under the option that gives it.
    const Banjo miniBanjo{1, 90, 35, 80, 2, std::nullopt, std::nullopt};
    EXPECT_EQ(fromFile.request.search.banjo, miniBanjo);
    EXPECT_EQ(chart.request.chart.search.banjo, miniBanjo);
    const CliParse ownSlot =
        Parse({"--lathe", mini, "--stud-max", "70", "--dp", "25.4", "--max-a", "40", "1.5"});
    ASSERT_EQ(ownSlot.action, CliAction::Search) << ownSlot.text;
    EXPECT_EQ(ownSlot.request.search.banjo, (Banjo{1, 90, 35, 70, 2, 40, std::nullopt}));
    const CliParse fitByBanjo = Parse({"--fit", "--lathe", imperial, "1.5"});
    ASSERT_EQ(fitByBanjo.action, CliAction::Search) << fitByBanjo.text;
    EXPECT_EQ(fitByBanjo.request.search.banjo->module, 25.4 / 16);
}

// With a banjo (its options or the lathe file's) --fit takes no value, so the
// argument after it is RATIO and a margin goes as --fit=M; without one the
// argument after --fit is its margin.
TEST(ParseArguments, FitLeavesTheRatioWhereTheBanjoNeedsNoMargin) {
    const std::string_view imperial = TANDREL_EXAMPLE_LATHES "/imperial.tandrel";
    const Args example = {"--every", "--teeth",    "20,40,60,127", "--module",   "2",   "--centre-distance",
                          "100",     "--stud-min", "20",           "--stud-max", "200", "--fit",
                          "--",      "0.2362"};
    Args withoutMark = example;
    withoutMark.erase(withoutMark.end() - 2);
    struct Case {
        Args args;
        double target;
        std::optional<std::uint32_t> margin;
    } cases[] = {
        {example, 0.2362, 0},
        {withoutMark, 0.2362, 0},
        {{"--lathe", imperial, "--fit", "0.236"}, 0.236, 0},
        {{"--lathe", imperial, "--fit=20", "0.236"}, 0.236, 20},
        {{"--lathe", imperial, "--fit", "20", "1.5"}, 1.5, 20}, // 1.5 cannot be a second RATIO
        {{"--teeth", "20-80", "--fit", "20", "1.5"}, 1.5, 20},
    };
    for (const Case& c : cases) {
        const CliParse parse = Parse(c.args);
        ASSERT_EQ(parse.action, CliAction::Search) << c.args[c.args.size() - 2] << ": " << parse.text;
        EXPECT_EQ(parse.request.search.target, c.target) << c.args[c.args.size() - 2];
        EXPECT_EQ(parse.request.search.fitMargin, c.margin) << c.args[c.args.size() - 2];
    }
}
