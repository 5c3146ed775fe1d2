#include "train_svg.h"

#include "number_text.h"
#include "placement.h"
#include "train_drawing.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

std::string Number(double value) {
    return FormatFixed(value, 1);
}

std::string Open(std::string_view viewBox, std::string_view title) {
    std::string svg = "<svg class=\"train\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"";
    svg += viewBox;
    svg += "\" role=\"img\"><title>";
    svg += EscapeHtml(title);
    svg += "</title>";
    return svg;
}

// The window's diagram, in the window's own pixels: the large gear with the
// pie-shaped sector of the gear beside it on the middle shaft, and a small
// gear at its upper left and lower right; each tooth count in a framed box
// where the window's tooth field stands.
std::string Schematic(const std::array<std::string, 4>& labels, std::string_view title) {
    std::string svg = Open("253 0 165 143", title);
    svg += "<g fill=\"#fff\" stroke=\"#000\" stroke-width=\"1.5\">"
           "<circle cx=\"330\" cy=\"75\" r=\"50\"/><circle cx=\"281\" cy=\"28\" r=\"25\"/>"
           "<circle cx=\"390\" cy=\"115\" r=\"25\"/>"
           // From the radial through (420, 30) counterclockwise on screen to the one through (30, 800).
           "<path d=\"M330 75L370.2 54.9A45 45 0 1 0 312.8 116.6Z\"/></g>";
    // The tooth fields' left and top: first driver, first driven, second driver, second driven.
    static constexpr std::array<std::array<int, 2>, 4> kFields = {
        {{268, 16}, {303, 47}, {333, 77}, {378, 103}}};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const auto [x, y] = kFields[i];
        svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
               "\" width=\"25\" height=\"24\" fill=\"#fff\" stroke=\"#000\"/>";
        svg += "<text x=\"" + std::to_string(x + 12) + ".5\" y=\"" + std::to_string(y + 18) +
               "\" font-size=\"16\" font-weight=\"bold\" text-anchor=\"middle\">" + EscapeHtml(labels[i]) +
               "</text>";
    }
    return svg + "</svg>";
}

// The placement fitted to a box of 120 x 100: each pitch circle, the shafts as
// dots, each tooth count inside its gear, a driver's above its shaft and a
// driven gear's below, so that the two gears on a stud keep apart.
std::string Placed(const Placement& placement, std::string_view title) {
    const TrainDrawing drawing = DrawTrain(placement, 120, 100, 3);
    std::string svg = Open("0 0 120 100", title);
    svg += "<g fill=\"none\" stroke=\"#000\" stroke-width=\"0.8\">";
    for (const DrawnGear& gear : drawing.gears) {
        svg += "<circle cx=\"" + Number(gear.x) + "\" cy=\"" + Number(gear.y) + "\" r=\"" +
               Number(gear.radius) + "\"/>";
    }
    svg += "</g>";
    for (const DrawnShaft& shaft : drawing.shafts) {
        svg += "<circle cx=\"" + Number(shaft.x) + "\" cy=\"" + Number(shaft.y) + "\" r=\"1.5\"/>";
    }
    for (std::size_t i = 0; i < drawing.gears.size(); ++i) {
        const DrawnGear& gear = drawing.gears[i];
        const bool driver = i % 2 == 0 && !(drawing.gears.size() == 3 && i == 2);
        const double offset = std::max(gear.radius * 0.5, 5.0);
        svg += "<text x=\"" + Number(gear.x) + "\" y=\"" +
               Number(gear.y + (driver ? -offset + 3 : offset + 3)) +
               "\" font-size=\"9\" text-anchor=\"middle\">" + std::to_string(gear.teeth) + "</text>";
    }
    return svg + "</svg>";
}

// Six gears without an arrangement stand as the drivers and driven gears pair
// up ascending: A, B, C, D, E, F.
std::vector<std::uint32_t> Interleaved(const SolutionRecord& train) {
    const std::vector<std::uint32_t> drivers = Drivers(train);
    const std::vector<std::uint32_t> driven = Driven(train);
    std::vector<std::uint32_t> gears;
    for (std::size_t i = 0; i < drivers.size() && i < driven.size(); ++i) {
        gears.push_back(drivers[i]);
        gears.push_back(driven[i]);
    }
    return gears;
}

} // namespace

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string TrainSvg(const SolutionRecord& train, const TrainFacts& facts, const std::optional<Banjo>& banjo,
                     std::string_view title) {
    if (train.gears == 4 && !(facts.positions && banjo)) {
        if (facts.arrangement) {
            return Schematic(GearsAbcd(*facts.arrangement), title);
        }
        const SolutionTexts& t = facts.texts;
        return Schematic({t.firstDriver, t.firstDriven, t.secondDriver, t.secondDriven}, title);
    }
    const std::vector<std::uint32_t> positions = facts.positions ? *facts.positions : Interleaved(train);
    std::optional<Placement> placement = PlaceTrain(positions, facts.positions ? banjo : std::nullopt);
    if (!placement) {
        placement = PlaceTrain(positions, std::nullopt);
    }
    return placement ? Placed(*placement, title) : Open("0 0 120 100", title) + "</svg>";
}
