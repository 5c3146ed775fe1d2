#include "door.h"
#include "gear_list.h"
#include "load_lathe.h"
#include "number_text.h"
#include "test_stock.h"
#include "tool.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <random>
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

} // namespace

// Random requests, each asked of the door and of the tool in its words: the
// same report, byte for byte. Stocks of a few close sizes, ratios that trains
// hit or miss, threads, every kind of train, the fit's margin and tolerances.
TEST(Door, AnswersAsTheToolDoes) {
    std::mt19937 random(24);
    const auto pick = [&random](std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
    };
    const char* kinds[] = {"2", "4", "6", "any"};
    const char* pitches[] = {"M8", "1.5mm", "11tpi", "1/2-13 UNC", "1module"};
    for (int round = 0; round < 40; ++round) {
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
        SCOPED_TRACE(request);
        EXPECT_EQ(Door(request + "}"), ToolJson(args));
    }
}

TEST(Door, ChartsAsTheToolDoes) {
    EXPECT_EQ(
        Door(R"({"op":"chart","lathe":{"gears":"20-60/5, 127","leadscrew":"8tpi"},"pitches":"M6, 1.5mm, )"
             R"(11tpi","fit":12,"tolerance":"300ppm","suggest":2})"),
        ToolJson({"chart", "--teeth", "20-60/5,127", "--leadscrew", "8tpi", "--pitches", "M6,1.5mm,11tpi",
                  "--fit=12", "--tolerance", "300ppm", "--suggest", "2"}));
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
