#include "chart_page.h"

#include "chart_table.h"
#include "gear_list.h"
#include "number_text.h"
#include "shown_train.h"
#include "train_svg.h"

#include <string_view>

namespace {

// Margins that leave room on both A4 (210 x 297 mm) and Letter (216 x 279
// mm); the table repeats its header on every page and never splits a row.
// The drawings follow the table, three in a row, none split across pages.
constexpr std::string_view kStyle = R"(<style>
@page { margin: 12mm 12mm 14mm; }
* { box-sizing: border-box; }
body { font: 9pt/1.3 "Liberation Sans", Arial, Helvetica, sans-serif; color: #000; background: #fff;
       margin: 0 auto; max-width: 190mm; }
h1 { font-size: 14pt; margin: 0 0 2pt; }
p { margin: 0 0 2pt; }
.summary { font-weight: bold; margin: 4pt 0; }
table { border-collapse: collapse; width: 100%; }
thead { display: table-header-group; }
tr { break-inside: avoid; page-break-inside: avoid; }
th, td { border: 0.5pt solid #000; padding: 1pt 3pt; text-align: left; vertical-align: middle; white-space: nowrap; }
thead th { border-bottom-width: 1.5pt; }
td.mark { font-weight: bold; white-space: normal; }
tr.outside td, tr.outside th { font-style: italic; }
h2 { font-size: 11pt; margin: 8pt 0 2pt; }
h2, p.key { break-after: avoid; page-break-after: avoid; }
figure { display: inline-block; vertical-align: top; margin: 0 1mm 2mm 0; width: 60mm;
         break-inside: avoid; page-break-inside: avoid; }
figure.outside figcaption { font-style: italic; }
svg.train { display: block; border: 0.5pt solid #000; font-family: inherit; }
figcaption { padding: 1pt 0 0; }
</style>
)";

std::string Element(std::string_view tag, std::string_view text, std::string_view attributes = "") {
    std::string element = "<";
    element += tag;
    element += attributes;
    element += ">";
    element += EscapeHtml(text);
    element += "</";
    element += tag;
    element += ">";
    return element;
}

std::string Heading(const ChartRequest& request, const Chart& chart, const ChartPageHeading& heading) {
    const std::string title =
        heading.latheName.empty() ? "Thread chart" : "Thread chart: " + heading.latheName;
    Thread leadscrew = request.lathe;
    leadscrew.fixed = 1;
    std::string out =
        "<title>" + EscapeHtml(title) + "</title>\n" + std::string(kStyle) + "</head>\n<body>\n";
    out += Element("h1", title) + "\n";
    out += Element("p", LeadscrewName(leadscrew) + ", fixed ratio " + FormatShortest(request.lathe.fixed) +
                            "; " + heading.date) +
           "\n";
    const std::string gears = GearListText(request.search.stock);
    out += Element("p", "Gears: " + (gears.empty() ? std::string("none") : gears)) + "\n";
    const Tolerance& tolerance = request.search.tolerance;
    out += Element("p", "Tolerance: " + ToleranceShort(tolerance) +
                            (tolerance.ppm ? " of the lead (" + FormatShortest(tolerance.amount) + " ppm)"
                                           : std::string(" of the ratio"))) +
           "\n";
    std::string lines = ArrangingLines(request.search.fitMargin, request.search.banjo, request.search.train);
    for (std::size_t end = lines.find('\n'); end != std::string::npos; end = lines.find('\n')) {
        out += Element("p", lines.substr(0, end)) + "\n";
        lines.erase(0, end + 1);
    }
    if (const std::string gearbox = GearboxLine(request.search.gearbox); !gearbox.empty()) {
        out += Element("p", gearbox.substr(0, gearbox.size() - 1)) + "\n";
    }
    out += Element("p", ChartSummary(request, chart), " class=\"summary\"") + "\n";
    return out;
}

std::string Row(const ChartLine& line) {
    std::string out = line.within ? "<tr>" : "<tr class=\"outside\">";
    out += Element("th", line.cells.front(), " scope=\"row\"");
    for (std::size_t i = 1; i < line.cells.size(); ++i) {
        out += Element("td", line.cells[i], i + 1 == line.cells.size() ? " class=\"mark\"" : "");
    }
    return out + "</tr>\n";
}

// A row's train drawn, captioned with its thread and the train by name.
std::string Figure(const ChartRequest& request, const ChartLine& line) {
    const ShownTrain shown =
        ShowTrain(*line.train, {request.search.train, request.search.fitMargin, request.search.banjo});
    std::string out = line.within ? "<figure>" : "<figure class=\"outside\">";
    out += TrainSvg(shown, request.search.banjo, "Train for " + line.cells.front() + ": " + line.trainName);
    out += "<figcaption>" + Element("b", line.cells.front()) + " " + EscapeHtml(line.trainName) +
           "</figcaption>";
    return out + "</figure>\n";
}

// What the drawings' lines mean, once for all of them.
constexpr std::string_view kDrawingsKey =
    "Each gear is its pitch circle with its tooth count, on its shaft: A and B turn in the front plane "
    "(solid "
    "circles), C and D behind them (dashed), E and F of six gears behind those (dotted); a simple train's "
    "gears "
    "all turn in one plane. A bar marks where two gears mesh. With the banjo's figures a train that mounts "
    "stands on it to scale, any other in proportion.";

} // namespace

std::string ChartPage(const ChartRequest& request, const Chart& chart, const ChartPageHeading& heading) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += Heading(request, chart, heading);
    const ChartTable table = MakeChartTable(request, chart);
    out += "<table>\n<thead><tr>";
    for (const std::string& header : table.headers) {
        out += Element("th", header, " scope=\"col\"");
    }
    out += "</tr></thead>\n<tbody>\n";
    for (const ChartLine& line : table.lines) {
        out += Row(line);
    }
    out += "</tbody>\n</table>\n";
    out += Element("p", "A row in italics has no train within tolerance: it shows the nearest train and how "
                        "far off its lead is, or says \"" +
                            NoUsableTrain() + "\".") +
           "\n";
    out += Element("h2", "Trains") + "\n" + Element("p", kDrawingsKey, " class=\"key\"") + "\n";
    for (const ChartLine& line : table.lines) {
        if (line.train && line.train->gears != 0) { // the plate's gears are not drawn: they are the plate's
            out += Figure(request, line);
        }
    }
    return out + "</body>\n</html>\n";
}
