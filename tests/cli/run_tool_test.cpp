// The tool's new options run in-process through RunTool: one run per option
// and format, and the bad-input table.
#include "banjo.h"
#include "number_text.h"
#include "tool.h"

#include "number_text.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun Invoke(const std::string& arguments) {
    std::vector<std::string> words;
    std::istringstream stream(arguments);
    for (std::string word; stream >> word;) {
        words.push_back(word == "\"\"" ? "" : word);
    }
    const std::vector<std::string_view> args(words.begin(), words.end());
    ToolRun run{0, {}, {}};
    run.exitCode = RunTool(args, run.out, run.err);
    return run;
}

// A lathe file of the test's own, in the system's folder for temporary files.
std::string LatheFile(const std::string& name, const std::string& text) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tandrel-test-" + name + ".tandrel");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

nlohmann::json RunJson(const std::string& arguments) {
    const ToolRun run = Invoke(arguments + " --format json");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return nlohmann::json::parse(run.out);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) {
        fields.push_back(field);
    }
    return fields;
}

// A train's own ratio from its tooth counts.
double RatioOf(const nlohmann::json& train) {
    return static_cast<double>(train["driver1"].get<int>() * train["driver2"].get<int>()) /
           (train["driven1"].get<int>() * train["driven2"].get<int>());
}

} // namespace

// M1.25 on a 2 mm leadscrew, every train: the best three of all, each with the
// lead it cuts.
TEST(RunTool, EveryTrainForAThreadInJson) {
    const nlohmann::json result = RunJson("--every --limit 3 --pitch 1.25MM --leadscrew 2mm");
    EXPECT_EQ(result["search"], "every");
    EXPECT_EQ(result["target"], 0.625);
    EXPECT_EQ(result["thread"],
              nlohmann::json::parse(
                  R"({"lead":1.25,"leadscrew":2,"fixed":1,"unit":"mm","text":"1.25 mm on 2 mm leadscrew"})"));
    EXPECT_GT(result["trainCount"].get<int>(), 1000);
    ASSERT_EQ(result["solutions"].size(), 3u);
    for (const nlohmann::json& train : result["solutions"]) {
        EXPECT_EQ(train["error"], 0.0); // 0.625 = 5/8 is made exactly
        EXPECT_DOUBLE_EQ(train["lead"].get<double>(), 2 * RatioOf(train));
        EXPECT_EQ(train["leadErrorPpm"], 0.0);
        EXPECT_EQ(train["leadInUnit"], train["lead"]);
        EXPECT_EQ(train["errorOver25mmUm"], 0.0);
    }
}

// No train within 1 ppm of M1.25 on an 8 TPI leadscrew without a 127: the
// nearest three instead, each saying how far off it is, in text and json alike;
// then six gears.
TEST(RunTool, NearestTrainsWhenNoneIsWithinTolerance) {
    const std::string arguments = "--every --tolerance 1ppm --pitch M8x1,25 --leadscrew 8tpi --teeth 20-80";
    const std::vector<std::string> lines = Lines(Invoke(arguments).out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], "Trains: 0 within 1 ppm");
    EXPECT_EQ(lines[3],
              "Thread: M8x1.25 (1.25 mm) on 8 TPI leadscrew: lead 1.250000 mm, ratio 0.39370078740157");
    const nlohmann::json json = RunJson(arguments);
    EXPECT_EQ(json["thread"]["designation"], "M8x1.25");
    EXPECT_TRUE(json["solutions"].empty());
    ASSERT_EQ(json["nearest"].size(), 3u);
    double previous = 1;
    for (std::size_t i = 0; i < 3; ++i) {
        const nlohmann::json& train = json["nearest"][i];
        const double ppm = std::fabs(train["leadErrorPpm"].get<double>());
        EXPECT_GE(ppm, previous);
        previous = ppm;
        EXPECT_DOUBLE_EQ(train["errorOver25mmUm"].get<double>(), train["leadErrorPpm"].get<double>() / 40);
        const std::string verdict = train["verdict"];
        EXPECT_TRUE(
            lines[4 + i].ends_with(" ppm, " + FormatFixed(ppm / 40, 2) + " µm over 25 mm  " + verdict))
            << lines[4 + i];
        EXPECT_NE(lines[4 + i].find(train["achievedRatio"].get<std::string>()), std::string::npos);
    }
}

// A thread is searched completely, with --every or without, within its own
// tolerance or the one given: on a trial lathe (8 TPI, the fit on a 16 DP banjo)
// 0.35 mm has no usable train (the bisection's 20 127 55 80 is 1.8 % short),
// and 36 TPI's nearest says how far off it is.
TEST(RunTool, AThreadIsJudgedAsAThread) {
    const std::string lathe =
        "--teeth 20-35/5,40x2,45-80/5,127 --leadscrew 8tpi --fit --dp 16 --centre-distance "
        "165 --stud-min 50 --stud-max 130 --max-last 80";
    EXPECT_NE(Invoke(lathe + " --pitch 0.35mm").out.find("\n  no usable train within 1 %\nAnother kind: "),
              std::string::npos);
    const nlohmann::json json = RunJson(lathe + " --pitch 36tpi --tolerance 3000ppm --limit 1");
    EXPECT_EQ(json["search"], "every");
    EXPECT_EQ(json["nearest"][0]["verdict"], "outside 0.3 %: 0.34 % short");
}

// A chart without a thread within tolerance ends its summary at the count.
TEST(RunTool, AnEmptyChartEndsItsSummaryAtTheCount) {
    EXPECT_TRUE(Invoke("chart --leadscrew 3mm --pitches 72tpi,80tpi --teeth 20-30/5,35x2,40-80/5")
                    .out.ends_with("\n\n0 of 2 threads within tolerance\n"));
}

// The ratio of 11 TPI on a 3 mm leadscrew with the bisection search: --fit
// keeps, in order, the trains of the plain list that fit, and names their arrangement.
TEST(RunTool, FitFiltersTheBisectionListInCsv) {
    const ToolRun plain = Invoke("--format csv 0.769696969697");
    const ToolRun fitted = Invoke("--format csv --fit 40 0.769696969697");
    ASSERT_EQ(fitted.exitCode, 0) << fitted.err;
    const std::vector<std::string> all = Lines(plain.out);
    const std::vector<std::string> kept = Lines(fitted.out);
    EXPECT_EQ(kept[0], all[0] + ",A,B,C,D");
    ASSERT_GT(kept.size(), 2u);
    ASSERT_LT(kept.size(), all.size());
    auto from = all.begin() + 1;
    for (std::size_t i = 1; i < kept.size(); ++i) {
        const std::vector<std::string> fields = Fields(kept[i]);
        ASSERT_EQ(fields.size(), 12u) << kept[i];
        const std::array<int, 4> g = {std::stoi(fields[8]), std::stoi(fields[9]), std::stoi(fields[10]),
                                      std::stoi(fields[11])};
        EXPECT_GE(g[0] + g[1], g[2] + 40) << kept[i];
        EXPECT_GE(g[2] + g[3], g[1] + 40) << kept[i];
        // The same train and texts as a later line of the plain list, but for the number.
        const std::vector<std::string> train(fields.begin() + 1, fields.end() - 4);
        from = std::find_if(from, all.end(), [&](const std::string& line) {
            const std::vector<std::string> plainFields = Fields(line);
            return std::vector<std::string>(plainFields.begin() + 1, plainFields.end()) == train;
        });
        EXPECT_NE(from, all.end()) << kept[i];
    }
}

// A relative tolerance, starts and a fixed ratio, in text: all trains within
// 50 ppm of the lead, one line each.
TEST(RunTool, PpmToleranceStartsAndFixedInText) {
    const ToolRun run =
        Invoke("--every --limit 0 --tolerance 50PPM --pitch 1.5module --starts 2 --leadscrew 8tpi "
               "--fixed 0.5 --teeth 20-80");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3], "Thread: module 1.5, 2 starts on 8 TPI leadscrew, fixed 0.5: lead module 3.000000 "
                        "(9.424778 mm), ratio 5.93686800678386");
    const auto trains = lines[2].substr(8, lines[2].find(' ', 8) - 8);
    EXPECT_EQ(lines[2], "Trains: " + trains + " within 50 ppm");
    ASSERT_EQ(lines.size(), 5 + std::stoul(trains)); // and six gears that do better
    for (std::size_t i = 4; i + 1 < lines.size(); ++i) {
        const std::size_t ppm = lines[i].rfind(" ppm, ");
        EXPECT_LT(std::fabs(std::stod(lines[i].substr(lines[i].rfind(' ', ppm - 1)))), 50.05) << lines[i];
    }
}

// Charts in the three formats: every listed pitch has a row; each suggested
// gear lowers the total badness, the best first.
TEST(RunTool, ChartsInEachFormat) {
    const nlohmann::json json =
        RunJson("chart --leadscrew 2mm --imperial --teeth 20-60 --tolerance 20ppm --suggest 2");
    ASSERT_EQ(json["rows"].size(), 32u);
    EXPECT_EQ(json["rows"][0]["unit"], "tpi");
    EXPECT_EQ(json["rows"][0]["pitch"], 25.4 / 4);
    ASSERT_EQ(json["suggestions"].size(), 2u);
    EXPECT_LT(json["suggestions"][1]["totalBadness"], json["totalBadness"]);
    EXPECT_LE(json["suggestions"][0]["totalBadness"], json["suggestions"][1]["totalBadness"]);

    const ToolRun text = Invoke("chart --leadscrew 8tpi --pitches 1.25mm,40mm --teeth 20-60 --fit 30");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const std::vector<std::string> lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Thread chart: 8 TPI leadscrew");
    EXPECT_EQ(lines[1], "Gears: 20-60; tolerance 1000 ppm");
    EXPECT_EQ(Lines(Invoke("chart --leadscrew 8tpi --metric --teeth 127,40x2,20-35/5,45-80/5").out)[1],
              "Gears: 20-80/5, 40x2, 127; tolerance 1000 ppm");
    EXPECT_TRUE(lines[5].starts_with("1.25 mm ")) << lines[5];
    EXPECT_TRUE(
        lines[6].starts_with("40 mm          no usable train within 1 %  within 0.1 % with six gears: "))
        << lines[6];
    const std::size_t ppm = lines[5].find(" ppm, ");
    EXPECT_TRUE(lines[8].starts_with("1 of 2 threads within tolerance; worst lead error " +
                                     lines[5].substr(ppm - 4, 4) + " ppm; total badness "))
        << lines[8];

    const ToolRun csv = Invoke("chart --leadscrew 3mm --metric --format csv");
    EXPECT_EQ(Lines(csv.out).size(), 25u);
    // Without the fit no arrangement was checked: the gears are drivers and driven gears, not positions.
    EXPECT_TRUE(csv.out.starts_with("thread,pitchMm,unit,value,target,kind,drivers,driven,idler,"))
        << csv.out;
}

// The imperial chart on a 3 mm leadscrew with 20 to 80 in steps of 5 (two
// of 35): 80 TPI is 1.2 % off, no use, and a 127 is the gear to buy
// (a 124 would bring more threads within tolerance, most 127 ppm off), each
// with the threads it brings in and those still outside, after the ranking.
// The json pairs the gears as the text's columns do, driver1 meshing driven1,
// and gives a nearest train's verdict as the text does.
TEST(RunTool, ChartOfAnInchThreadsOnAMetricLeadscrew) {
    // A margin of 0 lets every train fit, and the chart shows its gears in positions A, B, C, D.
    const std::string arguments = "chart --leadscrew 3mm --imperial --teeth "
                                  "20,25,30,35,40,45,50,55,60,65,70,75,80 --mult 35=2 --suggest 3 --fit 0";
    const std::vector<std::string> lines = Lines(Invoke(arguments).out);
    ASSERT_EQ(lines.size(), 47u);
    EXPECT_TRUE(lines[36].starts_with("80 TPI ")) << lines[36];
    EXPECT_TRUE(lines[36].starts_with("80 TPI         no usable train within 1 %")) << lines[36];
    EXPECT_TRUE(lines[38].starts_with("24 of 32 threads within tolerance; worst lead error 874.9 ppm;"))
        << lines[38];
    EXPECT_TRUE(lines[40].starts_with("Ranked by the chart's total badness: ")) << lines[40];
    EXPECT_TRUE(lines[41].starts_with("  127 teeth: ")) << lines[41];
    EXPECT_EQ(
        lines[42],
        "        brings in 4.5 TPI; still outside: 27 TPI, 36 TPI, 48 TPI, 56 TPI, 64 TPI, 72 TPI, 80 TPI");

    const nlohmann::json json = RunJson(arguments);
    for (std::size_t row = 0; row < 32; ++row) {
        const nlohmann::json& rowJson = json["rows"][row];
        if (rowJson["solutions"].empty() && rowJson["nearest"].empty()) {
            continue;
        }
        const nlohmann::json& train =
            rowJson["solutions"].empty() ? rowJson["nearest"][0] : rowJson["solutions"][0];
        std::istringstream columns(lines[5 + row].substr(8));
        int a = 0, b = 0, c = 0, d = 0;
        columns >> a >> b >> c >> d;
        EXPECT_EQ(std::vector<int>({a, b, c, d}),
                  std::vector<int>({train["driver1"], train["driven1"], train["driver2"], train["driven2"]}))
            << lines[5 + row];
        EXPECT_DOUBLE_EQ(train["leadInUnit"].get<double>(), 25.4 / train["lead"].get<double>());
        const std::string hint =
            rowJson.contains("betterKind") ? "  " + rowJson["betterKind"]["text"].get<std::string>() : "";
        EXPECT_TRUE(lines[5 + row].ends_with(
            (rowJson["solutions"].empty() ? "  " + train["verdict"].get<std::string>() : " thou per inch") +
            hint))
            << lines[5 + row];
    }
    EXPECT_EQ(json["suggestions"][0]["tooth"], 127);
    EXPECT_EQ(json["suggestions"][1]["stillOutside"], nlohmann::json::array({"4.5 TPI", "64 TPI"}));
}

TEST(RunTool, Version) {
    const ToolRun run = Invoke("--version");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("tandrel-cli ")) << run.out;
}

// Each bad input: one line on standard error naming the argument and pointing
// to --help, exit code 2, nothing on standard output. ("" stands for an empty argument.)
TEST(RunTool, BadInputs) {
    const std::string huge = "1" + std::string(400, '0'); // beyond the range of doubles
    const std::string badLathe = LatheFile("bad", "name = \"Bad\"\n\ngears = \"20-80, 17x4\"\n");
    const std::string noLeadscrew = LatheFile("no-leadscrew", "gears = \"20-80\"\n");
    struct Case {
        std::string arguments;
        std::string named;
    } cases[] = {
        {"", "RATIO is missing"},
        {"--teeth 20-40", "RATIO is missing"},
        {"\"\"", "RATIO '' is empty"},
        {"-1.5", "RATIO '-1.5' is negative"},
        {"-.5", "RATIO '-.5' is negative"},
        {".", "RATIO '.'"},
        {"1.2.3", "RATIO '1.2.3'"},
        {"1e5", "RATIO '1e5'"},
        {"abc", "RATIO 'abc'"},
        {"-", "RATIO '-'"},
        {"1.5 2", "'2'"},
        {"--teeth 15-40 1", "--teeth '15-40' has '15-40': tooth counts are 16 to 165"},
        {"--teeth 20,166 1", "--teeth '20,166' has '166': tooth counts are 16 to 165"},
        {"--teeth 99999999999 1", "--teeth '99999999999'"},
        {"--teeth 40-20 1", "--teeth '40-20'"},
        {"--teeth 20,21,20x2 1", "--teeth '20,21,20x2' has '20x2': 20 is named twice"},
        {"--teeth 17x4 1", "'17x4': at most 3 of a size"},
        {"--teeth 20- 1", "--teeth '20-'"},
        {"--teeth \"\" 1", "--teeth '' is empty"},
        {"--gears \"\" 1", "--gears '' is an empty gear-set string"},
        {"--lathe none.tandrel 1", "--lathe 'none.tandrel' does not exist"},
        {"--lathe " TANDREL_EXAMPLE_LATHES " 1", "docs/lathes' is not a file"},
        {"--lathe " + badLathe + " 1",
         "--lathe '" + badLathe + "', line 3: gears '17x4': at most 3 of a size"},
        {"--lathe " TANDREL_EXAMPLE_LATHES "/mini.tandrel 1 --pitch 1mm", "RATIO excludes --pitch"},
        {"--pitch 1mm --lathe " + badLathe, "line 3"},
        {"--mult 40=4 1", "--mult '40=4' has the multiplicity '4', which is outside 1..3"},
        {"--mult 40=0 1", "--mult '40=0'"},
        {"--mult 40 1", "--mult '40'"},
        {"--mult 40= 1", "--mult '40='"},
        {"--mult 170=2 1", "--mult '170=2'"},
        {"--mult 40=2=2 1", "--mult '40=2=2'"},
        {"--gears 01x1 1", "--gears '01x1'"},
        {"--teeth 20-99 --gears 11 1", "--gears excludes --teeth"},
        {"--teeth 20 --teeth 30 1", "--teeth"},
        {"--format xml 1", "--format: xml not in {text,csv,json,html}"},
        {"--format html 1", "--format html is for chart alone"},
        {"1 --format", "--format"},
        {"--frobnicate 1", "unknown option '--frobnicate'"},
        {"--ever\x01\x7F 1", "unknown option '--ever\\x01\\x7F'"},
        {"--driver-larger-first=1 1", "driver-larger-first"},
        {"--pitch 1.25 --leadscrew 2mm", "'1.25' has no unit"},
        {"--pitch 1.25inch --leadscrew 2mm", "unknown unit 'inch' (mm, tpi, in, module or dp)"},
        {"--pitch M7.5 --leadscrew 2mm", "--pitch 'M7.5' is not a known thread designation; known are M6"},
        {"--pitch 2mm --leadscrew 20dp", "--leadscrew '20dp' is not a leadscrew's pitch (mm, tpi or in)"},
        {"--pitch 0mm --leadscrew 2mm", "--pitch '0mm' is zero"},
        {"--pitch -1.25mm --leadscrew 2mm", "--pitch '-1.25mm' is negative"},
        {"--pitch x1mm --leadscrew 2mm", "--pitch 'x1mm'"},
        {"--pitch 1mm --leadscrew 0tpi", "--leadscrew '0tpi' is zero"},
        {"--pitch 1mm --leadscrew 2mm --fixed 0", "--fixed '0' is zero"},
        {"--pitch 1mm --leadscrew 2mm --fixed -2", "--fixed '-2' is negative"},
        {"--pitch 1mm --leadscrew 2mm --fixed one", "--fixed 'one'"},
        {"--pitch " + huge + "mm --leadscrew 2mm", "mm' is too large"},
        {"--pitch 1mm --leadscrew 2mm --fixed " + huge, "0' is too large"},
        {"--pitch 1mm --leadscrew 2mm --starts 1.5", "--starts '1.5'"},
        {"--pitch 1mm --leadscrew 2mm --starts 0", "--starts '0'"},
        {"--pitch 1mm", "--pitch requires --leadscrew"},
        {"--pitch 1mm --leadscrew 2mm 0.5", "RATIO excludes --pitch"},
        {"--leadscrew 2mm 0.5", "--leadscrew requires --pitch"},
        {"--every --tolerance 0 1.5", "--tolerance '0'"},
        {"--every --tolerance 0.1001 1.5", "--tolerance '0.1001'"},
        {"--every --tolerance 0ppm 1.5", "--tolerance '0ppm'"},
        {"--every --tolerance 100001ppm 1.5", "--tolerance '100001ppm'"},
        {"--every --tolerance -5ppm 1.5", "--tolerance '-5ppm'"},
        {"--tolerance 0.01 1.5", "--tolerance requires --every"},
        {"--every --limit -1 1.5", "--limit '-1'"},
        {"--fit 201 1.5", "--fit '201'"},
        {"--fit=2.5 1.5", "--fit '2.5'"},
        {"--teeth 20-80 --fit 0.236", "--fit takes its margin in teeth as --fit=M; 0.236 is not a margin"},
        {"chart --leadscrew 2mm", "chart needs one pitch list: --metric, --imperial, --pitches, or a lathe"},
        {"chart --leadscrew 2mm --metric --imperial", "--metric excludes --imperial"},
        {"chart --leadscrew 2mm --pitches 1mm --metric", "--metric excludes --pitches"},
        {"chart \"\" -x", "unexpected argument ''"},
        {"1.5 --fit", "--fit needs its margin M"},
        {"--train 5 1.5", "--train: 5 not in {2,4,6,any}"},
        {"--limit 3 1.5", "--limit requires --every, --pitch or --train"},
        {"--module 1.5 1.5", "the banjo needs --centre-distance"},
        {"--clearance 2 1.5", "the banjo needs --module or --dp"},
        {"--module 1 --dp 20 1.5", "excludes"},
        {"--dp 0 1.5", "--dp '0' is zero"},
        {"--module 1 --centre-distance 90 --stud-min 60 --stud-max 50 1.5",
         "--stud-min '60' is above --stud-max '50'"},
        {"--max-a 170 1.5", "--max-a '170'"},
        {"chart --metric", "--leadscrew is required"},
        {"chart --metric --lathe " + noLeadscrew, "--leadscrew is required"},
        {"--stud-max 30 --lathe " TANDREL_EXAMPLE_LATHES "/mini.tandrel 1.5",
         "the lathe's stud_min '35' is above --stud-max '30'"},
        {"--pitch 1mm --lathe " + noLeadscrew, "--pitch requires --leadscrew"},
        {"chart --leadscrew 2mm --pitches 1mm,,2mm", "--pitches '1mm,,2mm'"},
        {"chart --leadscrew 2mm --metric --suggest 0", "--suggest '0'"},
        {"chart --leadscrew 2mm --metric --every", "'--every'"},
        {"chart --leadscrew 2mm --metric 1.5", "'1.5'"},
        {"chart \"\" -x", "unexpected argument ''"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Invoke(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_TRUE(run.err.starts_with("tandrel-cli: ")) << run.err;
        EXPECT_TRUE(run.err.ends_with("(see tandrel-cli --help)\n")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

// Trains of each kind: the simple train 20 -> idler -> 40 for 16 TPI on 8 TPI;
// every kind together, fewer gears first at equal error; six gears on a banjo,
// each in an arrangement that mounts, its stud in the slot.
TEST(RunTool, TrainsOfEachKind) {
    const ToolRun simple = Invoke("--train 2 --pitch 16tpi --leadscrew 8tpi --teeth 20-40");
    EXPECT_EQ(
        simple.out,
        "Outcome: Searched\n"
        "Candidates: 1\n"
        "Trains: 1 within 1000 ppm\n"
        "Thread: 16 TPI on 8 TPI leadscrew: lead 16.0000 TPI (1.587500 mm), ratio 0.50000000000000\n"
        "Positions: A (spindle) I (stud) D (leadscrew)\n"
        "  1  2   20  21  40    0.50000000000000     0.00000000000000      lead 16.0000 TPI (1.587500 mm)"
        "  +0.0 ppm, 0.00 thou per inch\n");

    const nlohmann::json any = RunJson("--train any --teeth 20-40 --limit 50 0.5");
    ASSERT_EQ(any["solutions"].size(), 50u);
    EXPECT_EQ(any["solutions"][0]["kind"], 2);
    EXPECT_EQ(any["solutions"][0]["idler"], 21);
    for (std::size_t i = 1; i < 50; ++i) {
        const nlohmann::json& before = any["solutions"][i - 1];
        const nlohmann::json& train = any["solutions"][i];
        EXPECT_TRUE(before["error"] < train["error"] ||
                    (before["error"] == train["error"] && before["kind"] <= train["kind"]))
            << i;
    }

    const Banjo banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt};
    const nlohmann::json six =
        RunJson("--train 6 --module 1.5 --centre-distance 120 --stud-min 40 --stud-max 100 "
                "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80 --limit 20 --fit");
    ASSERT_EQ(six["solutions"].size(), 20u);
    for (const nlohmann::json& train : six["solutions"]) {
        const auto d = train["drivers"].get<std::vector<std::uint32_t>>();
        const auto n = train["driven"].get<std::vector<std::uint32_t>>();
        ASSERT_EQ(d.size(), 3u);
        EXPECT_TRUE(Mounts(banjo, Arrangement6{d[0], n[0], d[1], n[1], d[2], n[2]})) << train.dump();
        EXPECT_EQ(train["stud"], 0.75 * (d[2] + n[2]));
        EXPECT_EQ(train["achievedRatio"],
                  FormatFixed14(double(d[0] * d[1] * d[2]) / double(n[0] * n[1] * n[2])));
    }
}

// Six gears, alone or with every kind, are counted only on --count: without
// it the text and the json say they were not counted rather than give a
// number; with it both give the counts, and the same trains are listed. Four
// gears are counted either way.
TEST(RunTool, SixGearsCountedOnlyWhenAsked) {
    const std::string gears = " --teeth 20-40 --limit 5 0.5";
    for (const std::string kind : {"--train 6", "--train any"}) {
        const ToolRun plain = Invoke(kind + gears);
        const ToolRun counted = Invoke(kind + " --count" + gears);
        const std::vector<std::string> plainLines = Lines(plain.out);
        const std::vector<std::string> countedLines = Lines(counted.out);
        ASSERT_EQ(plainLines.size(), countedLines.size()) << kind;
        EXPECT_EQ(plainLines[1], "Candidates: not counted");
        EXPECT_EQ(plainLines[2], "Trains: not counted (--count counts them)");
        const nlohmann::json json = RunJson(kind + gears);
        EXPECT_TRUE(json["candidateCount"].is_null() && json["trainCount"].is_null()) << kind;
        const nlohmann::json countedJson = RunJson(kind + " --count" + gears);
        EXPECT_GT(countedJson["trainCount"].get<int>(), 100) << kind;
        EXPECT_EQ(countedLines[1], "Candidates: " + countedJson["candidateCount"].dump());
        EXPECT_EQ(countedLines[2], "Trains: " + countedJson["trainCount"].dump() + " within 0.002");
        EXPECT_TRUE(std::equal(plainLines.begin() + 3, plainLines.end(), countedLines.begin() + 3)) << kind;
    }
    const std::string four = Lines(Invoke("--every" + gears).out)[2];
    EXPECT_EQ(four, Lines(Invoke("--every --count" + gears).out)[2]);
    EXPECT_GT(std::stoul(four.substr(four.find(' '))), 10u) << four;
}

// The trial lathe: the 2-start 1.5 mm thread (+606 ppm) and 36 TPI (none
// within 0.1 %) with four gears are exact with six; the line after the trains
// and the json's betterKind name six gears in position order, as --train 6
// lists its first train.
TEST(RunTool, AnotherKindOnTheTrialLathe) {
    const std::string lathe =
        "--lathe " + LatheFile("trial",
                               "name = \"Trial lathe\"\ngears = \"20-35/5, 40x2, 45-80/5, 127\"\n"
                               "leadscrew = \"8tpi\"\n[fit]\nmargin = 15\n[banjo]\ndp = 16\n"
                               "centre_distance = 165\nstud_min = 50\nstud_max = 130\nmax_last = 80\n");
    for (const std::string thread : {"--pitch 1.5mm --starts 2", "--pitch 36tpi"}) {
        const nlohmann::json six = RunJson(lathe + " --train 6 --limit 1 " + thread)["solutions"][0];
        std::string gears = "exact with six gears:";
        for (std::size_t i = 0; i < 3; ++i) {
            gears.append(" ").append(six["drivers"][i].dump()).append(" ").append(six["driven"][i].dump());
        }
        EXPECT_EQ(Lines(Invoke(lathe + " " + thread).out).back(), "Another kind: " + gears) << thread;
        EXPECT_EQ(RunJson(lathe + " " + thread)["betterKind"]["text"], gears);
    }
}

// The chart names positions only where the fit arranged the gears.
TEST(RunTool, ChartShowsPositionsOnlyWhenArranged) {
    const std::vector<std::string> plain =
        Lines(Invoke("chart --leadscrew 8tpi --pitches 1.5mm --teeth 40-60").out);
    ASSERT_EQ(plain.size(), 7u);
    EXPECT_EQ(plain[3],
              "Thread        Gears                                  Lead                             Error");
    EXPECT_EQ(
        plain[4],
        "1.5 mm        drivers 40\u00B741 / driven 58\u00B760    1.496264 mm  -2490.4 ppm, 62.26 \u00B5m "
        "over 25 mm  outside 0.1 %: 0.25 % short  within 0.1 % with six gears: 41 58 43 56 47 54 (-16.4 "
        "ppm)");
    const std::vector<std::string> fit =
        Lines(Invoke("chart --leadscrew 8tpi --pitches 16tpi --teeth 20-60 --train 2 --fit 20").out);
    EXPECT_EQ(fit[3], "Positions: A (spindle) I (stud) D (leadscrew)");
    EXPECT_EQ(fit[6], "16 TPI         20  21  40  16.0000 TPI (1.587500 mm)  +0.0 ppm, 0.00 thou per inch");
}
