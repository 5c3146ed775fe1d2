#include "train_svg.h"

#include "number_text.h"
#include "train_drawing.h"

#include <array>

namespace {

constexpr double kShaftNamePt = 7;
constexpr DrawingStyle kStyle = {2, 1.4, 7, 1.2, true};

// Each plane's line: solid, dashed, dotted (round dots).
constexpr std::array<std::string_view, 3> kPlaneStrokes = {
    "", " stroke-dasharray=\"4 2.5\"",
    " stroke-dasharray=\"0 2.2\" stroke-linecap=\"round\" stroke-width=\"1.2\""};

std::string Number(double value) {
    return FormatFixed(value, 2);
}

// The advance of a character of the page's font (Liberation Sans, Arial's
// widths) in ems: digits and the letters of the shafts' names.
double Advance(char c) {
    switch (c) {
    case 'i':
    case 'l':
        return 0.222;
    case ' ':
    case 't':
        return 0.278;
    case 'r':
        return 0.333;
    case 'c':
    case 's':
        return 0.5;
    case 'w':
        return 0.722;
    default:
        return 0.556;
    }
}

// A text's box: its advance, and 1.2 em high with its baseline 0.35 em below the middle.
TextSize Measure(const std::string& text, bool toothCount) {
    const double size = toothCount ? kTrainSvgToothCountPt : kShaftNamePt;
    double width = 0;
    for (const char c : text) {
        width += Advance(c) * size;
    }
    return {width, 1.2 * size};
}

std::string Path(const Segment& s) {
    return "<path d=\"M" + Number(s.x1) + " " + Number(s.y1) + "L" + Number(s.x2) + " " + Number(s.y2) +
           "\"/>";
}

std::string Text(const Label& label, double size) {
    return "<text x=\"" + Number(label.x) + "\" y=\"" + Number(label.y + 0.35 * size) + "\">" +
           EscapeHtml(label.text) + "</text>";
}

std::string Drawing(const TrainDrawing& drawing) {
    std::string svg = "<g fill=\"none\" stroke=\"#000\" stroke-width=\"0.8\">";
    for (std::size_t plane = kPlaneStrokes.size(); plane-- > 0;) {
        svg += "<g" + std::string(kPlaneStrokes[plane]) + ">";
        for (const DrawnGear& gear : drawing.gears) {
            if (gear.plane == plane) {
                svg += "<circle cx=\"" + Number(gear.x) + "\" cy=\"" + Number(gear.y) + "\" r=\"" +
                       Number(gear.radius) + "\"/>";
            }
        }
        svg += "</g>";
    }
    svg += "<g stroke-width=\"2.2\">";
    for (const MeshMark& mesh : drawing.meshes) {
        svg += Path(mesh.stroke);
    }
    svg += "</g><g stroke-width=\"0.4\">";
    for (const std::vector<Label>* labels : {&drawing.toothCounts, &drawing.shaftNames}) {
        for (const Label& label : *labels) {
            if (label.leader) {
                svg += Path(*label.leader);
            }
        }
    }
    svg += "</g></g>";
    for (const DrawnShaft& shaft : drawing.shafts) {
        if (!shaft.dot) {
            continue;
        }
        svg += "<circle cx=\"" + Number(shaft.x) + "\" cy=\"" + Number(shaft.y) + "\" r=\"" +
               Number(kStyle.shaftRadius) + "\"/>";
    }
    svg += "<g font-size=\"" + Number(kTrainSvgToothCountPt) + "\" text-anchor=\"middle\">";
    for (const Label& label : drawing.toothCounts) {
        svg += Text(label, kTrainSvgToothCountPt);
    }
    svg += "</g><g font-size=\"" + Number(kShaftNamePt) +
           "\" font-style=\"italic\" fill=\"#444\" text-anchor=\"middle\">";
    for (const Label& label : drawing.shaftNames) {
        svg += Text(label, kShaftNamePt);
    }
    return svg + "</g>";
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

std::string TrainSvg(const ShownTrain& shown, const std::optional<Banjo>& banjo, std::string_view title) {
    const std::string width = Number(kTrainSvgWidth);
    const std::string height = Number(kTrainSvgHeight);
    std::string svg = "<svg class=\"train\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width +
                      "pt\" height=\"" + height + "pt\" viewBox=\"0 0 " + width + " " + height +
                      "\" role=\"img\"><title>" + EscapeHtml(title) + "</title>";
    if (const std::optional<Placement> placement = PlaceShownTrain(shown, banjo)) {
        svg += Drawing(DrawTrain(*placement, {0, 0, kTrainSvgWidth, kTrainSvgHeight}, kStyle, Measure));
    }
    return svg + "</svg>";
}
