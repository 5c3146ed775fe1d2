#include "door.h"
#include "gear_list.h"
#include "load_lathe.h"
#include "number_text.h"
#include "search.h"
#include "shown_train.h"
#include "test_stock.h"
#include "tool.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ToolJson(const std::vector<std::string>& arguments) {
    std::vector<std::string_view> args(arguments.begin(), arguments.end());
    args.push_back("--format");
    args.push_back("json");
    std::string out;
    std::string err;
    EXPECT_EQ(RunTool(args, out, err), 0) << err;
    return out;
}

// A request to the door and the tool's arguments that ask the same.
struct Asking {
    std::string request;
    std::vector<std::string> args;
};

// Random requests: stocks of a few close sizes, ratios that trains hit or
// miss, threads, every kind of train, the fit's margin and tolerances.
std::vector<Asking> RandomAskings(int count) {
    std::mt19937 random(24);
    const auto pick = [&random](std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
    };
    const char* kinds[] = {"2", "4", "6", "any"};
    const char* pitches[] = {"M8", "1.5mm", "11tpi", "1/2-13 UNC", "1module"};
    std::vector<Asking> askings;
    for (int round = 0; round < count; ++round) {
        Stock stock{};
        for (std::uint32_t i = pick(3, 7); i > 0; --i) {
            stock.count[pick(20, 60)] = static_cast<std::uint8_t>(pick(1, 2));
        }
        const std::string gears = GearListText(stock);
        const std::string kind = kinds[pick(0, 3)];
        std::string request =
            R"({"lathe":{"gears":")" + gears + R"(","leadscrew":"8tpi"},"train":")" + kind + '"';
        std::vector<std::string> args = {"--teeth", gears, "--train", kind};
        if (pick(0, 1) == 0) {
            const std::string pitch = pitches[pick(0, 4)];
            request += R"(,"pitch":")" + pitch + '"';
            args.insert(args.end(), {"--leadscrew", "8tpi", "--pitch", pitch});
        } else {
            const std::string ratio = FormatFixed(0.25 + pick(0, 3000) / 1000.0, 3);
            request += R"(,"ratio":)" + ratio;
            args.push_back(ratio);
        }
        if (pick(0, 2) == 0) {
            const std::string margin = std::to_string(pick(0, 20));
            request += R"(,"fit":)" + margin;
            args.push_back("--fit=" + margin);
        }
        if (kind != "4" && pick(0, 1) == 0) {
            request += R"(,"tolerance":"500ppm","limit":3,"count":true)";
            args.insert(args.end(), {"--tolerance", "500ppm", "--limit", "3", "--count"});
        }
        askings.push_back({request + "}", args});
    }
    return askings;
}

} // namespace

// Each random request asked of the door and of the tool in its words: the
// same report, byte for byte.
TEST(Door, AnswersAsTheToolDoes) {
    for (const Asking& asking : RandomAskings(40)) {
        SCOPED_TRACE(asking.request);
        EXPECT_EQ(Door(asking.request), ToolJson(asking.args));
    }
}

// What the report gives a page to show equals what the tool's text shows: each
// train's gears in the order of its line, its lead and lead error as the line
// writes them, and why no train is listed.
TEST(Door, GivesTheTextsTheToolShows) {
    for (const Asking& asking : RandomAskings(60)) {
        SCOPED_TRACE(asking.request);
        const nlohmann::json report = nlohmann::json::parse(Door(asking.request));
        std::vector<std::string_view> args(asking.args.begin(), asking.args.end());
        std::string text;
        std::string err;
        ASSERT_EQ(RunTool(args, text, err), 0) << err;
        std::vector<std::string> trainLines;
        std::string why;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("Outcome: ", 0) == 0 && line != "Outcome: Searched") {
                why = line.substr(9);
            } else if (line == "  " + NoUsableTrain()) {
                why = NoUsableTrain();
            } else if (line.size() > 3 && line[0] == ' ' &&
                       std::isdigit(static_cast<unsigned char>(line[2]))) {
                trainLines.push_back(line);
            }
        }
        EXPECT_EQ(report.value("outcomeText", ""), why);
        nlohmann::json trains = report["solutions"];
        for (const nlohmann::json& train : report.value("nearest", nlohmann::json::array())) {
            trains.push_back(train);
        }
        ASSERT_EQ(trains.size(), trainLines.size()) << text;
        for (std::size_t i = 0; i < trains.size(); ++i) {
            const nlohmann::json& train = trains[i];
            const std::string& line = trainLines[i];
            const auto gears = train["gears"].get<std::vector<std::uint32_t>>();
            // The line: its place, the count of gears unless four gears were asked for, then the gears.
            std::istringstream in(line);
            std::uint32_t number = 0;
            in >> number;
            if (asking.args[3] != "4") {
                in >> number;
                EXPECT_EQ(number, train["kind"]) << line;
            }
            std::vector<std::uint32_t> shown;
            while (shown.size() < gears.size() && in >> number) {
                shown.push_back(number);
            }
            if (!shown.empty()) {
                EXPECT_EQ(shown, gears) << line; // a simple train's idler too
            } else {
                // Not arranged: the line names the drivers and the driven gears, ascending; in gears
                // they alternate, a driver first.
                std::vector<std::uint32_t> sides[2];
                for (std::size_t g = 0; g < gears.size(); ++g) {
                    sides[g % 2].push_back(gears[g]);
                }
                for (auto& side : sides) {
                    std::sort(side.begin(), side.end());
                }
                const std::string named =
                    "drivers " + GearsText(sides[0], "·") + " / driven " + GearsText(sides[1], "·");
                EXPECT_NE(line.find(named), std::string::npos) << line;
            }
            if (report.contains("thread")) {
                EXPECT_NE(line.find(train["leadText"].get<std::string>()), std::string::npos) << line;
                EXPECT_NE(line.find(train["leadErrorText"].get<std::string>()), std::string::npos) << line;
            }
        }
    }
}

// The chart in each format as the tool writes it (the page with the date the
// door is given), and its table as the page lays its rows out.
TEST(Door, ChartsAsTheToolDoes) {
    const std::string chart =
        R"({"op":"chart","lathe":{"gears":"20-60/5, 127","leadscrew":"8tpi"},"pitches":"M6, 1.5mm, 11tpi, )"
        R"(0.2mm","fit":12,"tolerance":"300ppm","suggest":2)";
    std::vector<std::string> args = {
        "chart",    "--teeth",     "20-60/5,127", "--leadscrew", "8tpi", "--pitches", "M6,1.5mm,11tpi,0.2mm",
        "--fit=12", "--tolerance", "300ppm",      "--suggest",   "2"};
    EXPECT_EQ(Door(chart + "}"), ToolJson(args));
    const auto tool = [&args](const char* format) {
        std::vector<std::string_view> asked(args.begin(), args.end());
        asked.insert(asked.end(), {"--format", format});
        std::string out;
        std::string err;
        EXPECT_EQ(RunTool(asked, out, err), 0) << err;
        return out;
    };
    EXPECT_EQ(nlohmann::json::parse(Door(chart + R"(,"format":"csv"})"))["csv"], tool("csv"));
    const std::string page =
        nlohmann::json::parse(Door(chart + R"(,"format":"html","date":"1999-12-31"})"))["html"];
    EXPECT_EQ(page, std::regex_replace(tool("html"), std::regex(R"(\d{4}-\d\d-\d\d)"), "1999-12-31"));

    // The table's rows are the page's: each row's cells, italic where it is not within tolerance.
    const nlohmann::json table = nlohmann::json::parse(Door(chart + R"(,"format":"table"})"));
    std::vector<std::pair<std::vector<std::string>, bool>> pageRows;
    const std::regex row(R"(<tr( class="outside")?><th scope="row">(.*?)</tr>)");
    const std::regex cell(R"(<t[hd][^>]*>([^<]*)</t[hd]>)");
    for (std::sregex_iterator r(page.begin(), page.end(), row), end; r != end; ++r) {
        const std::string cells = "<th>" + (*r)[2].str();
        pageRows.push_back({{}, !(*r)[1].matched});
        for (std::sregex_iterator c(cells.begin(), cells.end(), cell); c != end; ++c) {
            pageRows.back().first.push_back((*c)[1].str());
        }
    }
    ASSERT_EQ(table["rows"].size(), 4U);
    ASSERT_EQ(pageRows.size(), 4U);
    for (std::size_t i = 0; i < pageRows.size(); ++i) {
        EXPECT_EQ(table["rows"][i]["cells"], pageRows[i].first);
        EXPECT_EQ(table["rows"][i]["within"], pageRows[i].second);
    }
    EXPECT_NE(page.find("<p class=\"summary\">" + table["summary"].get<std::string>() + "</p>"),
              std::string::npos);
    // The suggestions in the tool's words.
    const std::string text = tool("text");
    ASSERT_EQ(table["suggestions"]["gears"].size(), 2U);
    for (const std::string line :
         {table["score"], table["suggestions"]["heading"], table["suggestions"]["rule"],
          table["suggestions"]["gears"][1]["score"], table["suggestions"]["gears"][1]["effect"]}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

// Every bad request is answered with the field at fault, never a crash.
TEST(Door, RefusesBadRequestsNamingTheField) {
    const struct {
        std::string request;
        std::string answer;
    } cases[] = {
        {"{", R"({"error":"the request is not JSON"})"},
        {"[1, 2]", R"({"error":"the request is not a JSON object"})"},
        {R"({"op":7})", R"({"error":"op must be a text","field":"op"})"},
        {R"({"op":"find"})",
         R"({"error":"op 'find' is not one of search, chart, drawing, readLathe, writeLathe, readThread, )"
         R"(readGears","field":"op"})"},
        {R"({"ratio":1.5,"pitch":"M8","lathe":{"gears":"20-80","leadscrew":"8tpi"}})",
         R"({"error":"ratio and pitch exclude each other: give one target","field":"pitch"})"},
        {R"({"search":"every"})",
         R"({"error":"the request needs its target: a ratio or a pitch","field":"ratio"})"},
        {R"({"ratio":"1,5x"})",
         R"x({"error":"ratio '1,5x' is not a number (digits with at most one decimal point)","field":"ratio"})x"},
        {R"({"ratio":[1.5]})", R"({"error":"ratio must be a number or a text","field":"ratio"})"},
        {R"({"ratio":1.5,"starts":2})", R"({"error":"starts needs a pitch","field":"starts"})"},
        {R"({"pitch":"M8","starts":0,"lathe":{"gears":"20-80","leadscrew":"8tpi"}})",
         R"({"error":"starts must be a whole number from 1 to 1000","field":"starts"})"},
        {R"({"pitch":"M8"})", R"({"error":"a pitch needs the lathe's leadscrew","field":"lathe.leadscrew"})"},
        {R"({"ratio":1.5,"train":"5"})", R"({"error":"train must be 2, 4, 6 or \"any\"","field":"train"})"},
        {R"({"ratio":1.5,"search":"all"})",
         R"({"error":"search must be \"bisection\" or \"every\"","field":"search"})"},
        {R"({"ratio":1.5,"count":"yes","search":"every"})",
         R"({"error":"count must be true or false","field":"count"})"},
        {R"({"ratio":1.5,"count":true})",
         R"({"error":"count needs search \"every\", a pitch or train 2, 6 or \"any\"","field":"count"})"},
        {R"({"ratio":1.5,"limit":5})",
         R"({"error":"limit needs search \"every\", a pitch or train 2, 6 or \"any\"","field":"limit"})"},
        {R"({"ratio":1.5,"search":"every","tolerance":"0.2"})",
         R"({"error":"tolerance '0.2' is above 0.1","field":"tolerance"})"},
        {R"({"ratio":1.5,"fit":true})",
         R"({"error":"fit true needs the lathe's banjo, whose geometry decides what fits; without one give the )"
         R"(margin in teeth","field":"fit"})"},
        {R"({"ratio":1.5,"fit":201})",
         R"({"error":"fit must be true, false or a margin in teeth from 0 to 200","field":"fit"})"},
        {R"({"ratio":1.5,"ration":1.5})", R"({"error":"ration is not a field of search","field":"ration"})"},
        {R"({"ratio":1.5,"lathe":"mini"})",
         R"({"error":"lathe is not an object of the lathe file's keys","field":"lathe"})"},
        {R"({"ratio":1.5,"lathe":{"leadscrew":"8tpi"}})",
         R"({"error":"the lathe has no gears: a line such as gears = \"20-80/5, 127\" lists the gears on hand",)"
         R"("field":"lathe"})"},
        {R"({"ratio":1.5,"lathe":{"gears":"20-80x4"}})",
         R"({"error":"gears '20-80x4': at most 3 of a size","field":"lathe.gears"})"},
        {R"({"ratio":1.5,"lathe":{"gears":"20-80","banjo":{"module":1,"dp":16}}})",
         R"({"error":"module and dp exclude each other: give the one the gears are made to",)"
         R"("field":"lathe.banjo.module"})"},
        {R"({"ratio":1.5,"lathe":{"gears":"20-80","fixed":null}})",
         R"({"error":"lathe.fixed is not a value a lathe file holds","field":"lathe.fixed"})"},
        {R"({"op":"chart","lathe":{"gears":"20-80","leadscrew":"8tpi"}})",
         R"({"error":"the chart needs its pitches: \"metric\", \"imperial\", a list such as \"M6, 8tpi\", or a )"
         R"(lathe with a chart","field":"pitches"})"},
        {R"({"pitch":"M8","plateGears":true,"lathe":{"gears":"20-80","leadscrew":"8tpi"}})",
         R"({"error":"plateGears needs a lathe whose gearbox names its plate_gears","field":"plateGears"})"},
        {R"({"ratio":1.5,"lathe":{"gears":"20-80","gearbox":{"settings":{"A1":"11 tqi"}}}})",
         R"x({"error":"setting 'A1' '11 tqi' has an unknown unit 'tqi' (mm, tpi, in, module or dp)",)x"
         R"("field":"lathe.gearbox.settings"})"},
        {R"({"op":"chart","pitches":"metric","lathe":{"leadscrew":"3mm","gears":"20-80"},"format":"pdf"})",
         R"({"error":"format must be \"json\", \"table\", \"html\" or \"csv\"","field":"format"})"},
        {R"({"op":"chart","pitches":"module","lathe":{"leadscrew":"3mm","gears":"20-80"},"format":"html"})",
         R"({"error":"format \"html\" needs the date the page names, such as \"2024-05-01\"","field":"date"})"},
        {R"({"op":"chart","pitches":"metric","lathe":{"leadscrew":"3mm","gears":"20-80"},"date":"2024-05-01"})",
         R"({"error":"date needs format \"html\"","field":"date"})"},
        {R"({"op":"chart","pitches":"metric"})",
         R"({"error":"the chart needs the lathe's leadscrew","field":"lathe.leadscrew"})"},
        {R"({"op":"drawing","ratio":1.5,"index":100})",
         R"({"error":"index 100 is past the 89 trains found","field":"index"})"},
        {R"({"op":"readGears","text":"20-80/0"})",
         R"({"error":"the gear list has '20-80/0': step must be at least 1","field":"text"})"},
        {R"({"op":"readThread","text":"M7.5"})",
         R"({"error":"pitch 'M7.5' is not a known thread designation; known are M6 or M6x0.75 (ISO metric, M1 to M64), )"
         R"(1/2-13 UNC or #10-32 UNF (#0 to 1-1/2), 1/4 BSW, 1/4 BSF and 1/2 BSP","field":"text"})"},
        {R"({"op":"readLathe","text":"gears = \"20-80\"\nfixed = 1,5\n"})",
         R"({"error":"the lathe file, line 2: fixed '1,5': write 1.5: a decimal point","field":"text","line":2})"},
    };
    for (const auto& [request, answer] : cases) {
        EXPECT_EQ(Door(request), answer + "\n") << request;
    }
    EXPECT_EQ(Door(R"({"ratio":")" + std::string(kMaxRequestSize, '1') + R"("})"),
              "{\"error\":\"the request is larger than 1 MB\"}\n");
}

// The example lathes read from their text, written from their keys and read
// again: the same lathe, and the text its file writer writes.
TEST(Door, ReadsAndWritesLatheFiles) {
    for (const char* name : {"mini", "metric", "imperial"}) {
        Lathe lathe;
        ASSERT_TRUE(
            LoadLathe(std::string(TANDREL_EXAMPLE_LATHES) + "/" + name + ".tandrel", lathe).what.empty());
        const nlohmann::json text = LatheText(lathe);
        const nlohmann::json keys =
            nlohmann::json::parse(Door(R"({"op":"readLathe","text":)" + text.dump() + "}"));
        ASSERT_TRUE(keys.contains("lathe")) << keys;
        const nlohmann::json written =
            nlohmann::json::parse(Door(R"({"op":"writeLathe","lathe":)" + keys["lathe"].dump() + "}"));
        EXPECT_EQ(written, nlohmann::json({{"text", LatheText(lathe)}})) << name;
    }
    // A lathe's dial goes through the door both ways, and says for each train where the half-nut may close.
    const std::string dial =
        R"({"gears":"20-80/5, 127","leadscrew":"8tpi","dial":{"teeth":[14,16],"lines":8}})";
    EXPECT_EQ(nlohmann::json::parse(Door(R"({"op":"writeLathe","lathe":)" + dial + "}"))["text"],
              "# A Tandrel lathe: its change gears on hand and its settings.\ngears = \"20-80/5, 127\"\n"
              "leadscrew = \"8tpi\"\nfixed = 1\n\n[dial]\nteeth = [14, 16]\nlines = 8\nnumbers = 8\n");
    const nlohmann::json train =
        nlohmann::json::parse(Door(R"({"pitch":"13tpi","lathe":)" + dial + "}"))["solutions"][0];
    EXPECT_EQ(
        train["dial"],
        nlohmann::json({{"gear", 16}, {"step", 4}, {"closed", false}, {"text", "opposite lines (1 and 5)"}}))
        << train;
    EXPECT_EQ(Door(R"({"op":"readThread","text":"1/2-13 UNC","starts":2})"),
              "{\"text\":\"1/2-13 UNC\",\"value\":13,\"unit\":\"tpi\",\"pitch\":1.9538461538461538,\"lead\":"
              "3.9076923076923076,\"designation\":\"1/2-13 UNC\"}\n");
    EXPECT_EQ(
        Door(R"({"op":"readGears","text":"127, 20-30/5, 40x2"})"),
        "{\"text\":\"20-30/5, 40x2, 127\",\"counts\":{\"20\":1,\"25\":1,\"30\":1,\"40\":2,\"127\":1}}\n");
}
