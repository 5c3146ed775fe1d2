#include "train_paint.h"

#include "label_font.h"
#include "wide_text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kNameColour =
    RGB(90, 90, 90); // the shafts' names and the leaders, apart from the tooth counts

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

HFONT MakeFont(int height, bool italic) {
    LOGFONTW description = LabelFontDescription();
    description.lfHeight = -height;
    description.lfWeight = FW_NORMAL;
    description.lfItalic = italic ? TRUE : FALSE;
    return CreateFontIndirectW(&description);
}

// A plane's pen: solid, dashed or dotted, in proportion to its width.
HPEN PlanePen(std::size_t plane, int width) {
    LOGBRUSH brush = {BS_SOLID, kBlack, 0};
    const DWORD dashes[][2] = {{1, 0},
                               {static_cast<DWORD>(5 * width), static_cast<DWORD>(3 * width)},
                               {static_cast<DWORD>(width), static_cast<DWORD>(2 * width)}};
    if (plane == 0) {
        return CreatePen(PS_SOLID, width, kBlack);
    }
    return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, static_cast<DWORD>(width), &brush, 2,
                        dashes[std::min<std::size_t>(plane, 2)]);
}

void Line(HDC dc, const Segment& s) {
    MoveToEx(dc, Round(s.x1), Round(s.y1), nullptr);
    LineTo(dc, Round(s.x2), Round(s.y2));
}

void Text(HDC dc, const Label& label) {
    const std::wstring text = WideFromUtf8(label.text);
    TextOutW(dc, Round(label.x - label.width / 2), Round(label.y - label.height / 2), text.c_str(),
             static_cast<int>(text.size()));
}

} // namespace

DrawingFonts MakeDrawingFonts(int toothCountHeight, int shaftNameHeight) {
    return {MakeFont(toothCountHeight, false), MakeFont(shaftNameHeight, true)};
}

void DeleteDrawingFonts(const DrawingFonts& fonts) {
    DeleteObject(fonts.toothCounts);
    DeleteObject(fonts.shaftNames);
}

MeasureText MeasureWith(HDC dc, const DrawingFonts& fonts) {
    return [dc, fonts](const std::string& text, bool toothCount) {
        const std::wstring wide = WideFromUtf8(text);
        HGDIOBJ previous = SelectObject(dc, toothCount ? fonts.toothCounts : fonts.shaftNames);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        SelectObject(dc, previous);
        return TextSize{static_cast<double>(size.cx), static_cast<double>(size.cy)};
    };
}

void PaintTrainDrawing(HDC dc, const TrainDrawing& drawing, const DrawingStyle& style,
                       const DrawingFonts& fonts, int lineWidth) {
    const int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (std::size_t plane = 3; plane-- > 0;) { // the back plane first
        HPEN pen = PlanePen(plane, lineWidth);
        SelectObject(dc, pen);
        for (const DrawnGear& gear : drawing.gears) {
            if (gear.plane == plane) {
                Ellipse(dc, Round(gear.x - gear.radius), Round(gear.y - gear.radius),
                        Round(gear.x + gear.radius), Round(gear.y + gear.radius));
            }
        }
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
    HPEN bar = CreatePen(PS_SOLID, 3 * lineWidth, kBlack);
    SelectObject(dc, bar);
    for (const MeshMark& mesh : drawing.meshes) {
        Line(dc, mesh.stroke);
    }
    HPEN leader = CreatePen(PS_SOLID, 1, kNameColour);
    SelectObject(dc, leader);
    for (const std::vector<Label>* labels : {&drawing.toothCounts, &drawing.shaftNames}) {
        for (const Label& label : *labels) {
            if (label.leader) {
                Line(dc, *label.leader);
            }
        }
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(bar);
    DeleteObject(leader);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    for (const DrawnShaft& shaft : drawing.shafts) {
        if (shaft.dot) {
            const double r = style.shaftRadius;
            Ellipse(dc, Round(shaft.x - r), Round(shaft.y - r), Round(shaft.x + r) + 1,
                    Round(shaft.y + r) + 1);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, fonts.toothCounts);
    SetTextColor(dc, kBlack);
    for (const Label& label : drawing.toothCounts) {
        Text(dc, label);
    }
    SelectObject(dc, fonts.shaftNames);
    SetTextColor(dc, kNameColour);
    for (const Label& label : drawing.shaftNames) {
        Text(dc, label);
    }
    RestoreDC(dc, saved);
}

void PaintPlaneStroke(HDC dc, std::size_t plane, int left, int right, int y, int lineWidth) {
    const int saved = SaveDC(dc);
    HPEN pen = PlanePen(plane, lineWidth);
    SelectObject(dc, pen);
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
    RestoreDC(dc, saved);
    DeleteObject(pen);
}
