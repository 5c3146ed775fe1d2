#include "chart_page.h"

#include "chart_table.h"
#include "gear_list.h"
#include "train_svg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The imperial chart on a metric leadscrew: 36 TPI has no train within 0.1 %
// but one 0.17 % long, and 80 TPI none within 1 % (1.2 % off is no use).
ChartRequest Request() {
    ChartRequest request;
    request.lathe.leadscrew = {3, PitchUnit::Mm};
    ReadGearList("20-30/5, 35x2, 40-80/5", request.search.stock);
    ReadPitchList("8tpi, 36tpi, 80tpi", request.pitches);
    request.search.tolerance = kThreadTolerance;
    return request;
}

} // namespace

// Each row says how far off it is, in the CSV too, in as many fields as the header names.
TEST(ChartTable, EveryLineFillsTheHeadersAndSaysHowFarOffItIs) {
    for (bool fit : {false, true}) {
        ChartRequest request = Request();
        request.search.fitMargin = fit ? std::optional<std::uint32_t>(15) : std::nullopt;
        const Chart chart = MakeChart(request);
        const ChartTable table = MakeChartTable(request, chart);
        EXPECT_EQ(table.headers.size(), fit ? 10u : 7u);
        ASSERT_EQ(table.lines.size(), 3u);
        for (const ChartLine& line : table.lines) {
            EXPECT_EQ(line.cells.size(), table.headers.size());
        }
        // Each row's mark first, then six gears that do better.
        EXPECT_TRUE(table.lines[0].cells.back().starts_with("within 0.1 % with six gears: "));
        EXPECT_TRUE(
            table.lines[1].cells.back().starts_with("outside 0.1 %: 0.17 % long; within 0.1 % with six"));
        EXPECT_TRUE(
            table.lines[2].cells.back().starts_with("no usable train within 1 %; within 0.1 % with six"));
        EXPECT_EQ(table.lines[1].cells[fit ? 7 : 4], "+1665.7 ppm");
        EXPECT_EQ(table.lines[1].cells[fit ? 8 : 5], "1.67 thou per inch");
        const std::string csv = ChartCsv(request, chart);
        EXPECT_TRUE(csv.substr(0, csv.find('\n')).ends_with(",leadErrorPpm,verdict,betterKind")) << csv;
        EXPECT_NE(csv.find(",1665.6571774681952,outside 0.1 %: 0.17 % long,within"), std::string::npos)
            << csv;
        EXPECT_NE(csv.find(",0.10583333333333333,,,,,,,,,no usable train within 1 %,within"),
                  std::string::npos)
            << csv;
        EXPECT_EQ(ChartSummary(request, chart), "1 of 3 within 0.1 %; worst 606 ppm");
    }
}

// One self-contained page: no script, nothing fetched, every text escaped,
// every drawing titled, header cells for the columns and the threads.
TEST(ChartPage, IsSelfContainedEscapedAndTitled) {
    const ChartRequest request = Request();
    const Chart chart = MakeChart(request);
    const std::string page = ChartPage(request, chart, {"<script>alert('x')</script> & co", "2024-05-01"});
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\n", 0), 0u);
    for (const char* absent : {"<script", "src=", "href=", "url(", "@import"}) {
        EXPECT_EQ(page.find(absent), std::string::npos) << absent;
    }
    EXPECT_NE(page.find("Thread chart: &lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; co"),
              std::string::npos);
    EXPECT_NE(page.find("3 mm leadscrew, fixed ratio 1; 2024-05-01"), std::string::npos);
    EXPECT_NE(page.find("Gears: 20-80/5, 35x2"), std::string::npos);
    EXPECT_EQ(Count(page, "<svg"), 2u) << "a drawing for each row with a train";
    EXPECT_EQ(Count(page, "</title>"), 3u);
    EXPECT_NE(page.find("<figcaption><b>36 TPI</b> drivers "), std::string::npos);
    EXPECT_EQ(Count(page, "<th scope=\"col\">"), 7u);
    EXPECT_EQ(Count(page, "<th scope=\"row\">"), 3u);
    EXPECT_EQ(Count(page, "<tr class=\"outside\">"), 2u);
    EXPECT_NE(page.find("break-inside: avoid"), std::string::npos);
}

// Every gear is drawn in its plane's line with its tooth count, every shaft
// named, each meshing pair marked, on the banjo or in proportion.
TEST(TrainSvg, DrawsEachGearInItsPlaneWithItsToothCount) {
    const std::optional<Banjo> banjo = Banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt};
    // The circles of the group that opens with `line`.
    const auto circlesIn = [](const std::string& svg, const std::string& line) {
        const std::size_t at = svg.find(std::string("<g").append(line).append(">"));
        return at == std::string::npos ? 0 : Count(svg.substr(at, svg.find("</g>", at) - at), "<circle");
    };
    struct Case {
        std::vector<std::uint32_t> gears;
        std::size_t solid, dashed, dotted;
    };
    for (const Case& c : {Case{{20, 60, 40}, 3, 0, 0}, Case{{20, 127, 30, 40}, 2, 2, 0},
                          Case{{30, 60, 40, 50, 25, 35}, 2, 2, 2}}) {
        for (const std::optional<Banjo>& lathe : {std::optional<Banjo>(), banjo}) {
            const std::string svg = TrainSvg({c.gears, lathe.has_value()}, lathe, "a < b");
            const std::size_t shafts = c.gears.size() == 6 ? 4 : 3;
            EXPECT_NE(svg.find("<title>a &lt; b</title>"), std::string::npos);
            EXPECT_EQ(circlesIn(svg, ""), c.solid);
            EXPECT_EQ(circlesIn(svg, " stroke-dasharray=\"4 2.5\""), c.dashed);
            EXPECT_EQ(
                circlesIn(svg, " stroke-dasharray=\"0 2.2\" stroke-linecap=\"round\" stroke-width=\"1.2\""),
                c.dotted);
            EXPECT_EQ(Count(svg, "<text"), c.gears.size() + shafts);
            for (const std::uint32_t teeth : c.gears) {
                std::string text = ">";
                text += std::to_string(teeth);
                EXPECT_NE(svg.find(text + "</text>"), std::string::npos) << teeth;
            }
            const std::size_t bars = svg.find("<g stroke-width=\"2.2\">");
            ASSERT_NE(bars, std::string::npos);
            EXPECT_EQ(Count(svg.substr(bars, svg.find("</g>", bars) - bars), "<path"),
                      c.gears.size() == 3 ? 2 : c.gears.size() / 2);
        }
    }
}
