// What the main window paints itself: the gear diagram or the train drawn to
// scale, the error gauge, and the error field's replacement procedure that
// keeps the gauge current.
#include "paint.h"

#include "gauge.h"
#include "label_font.h"
#include "placement.h"
#include "program_state.h"
#include "replacement.h"
#include "resource.h"
#include "shown_train.h"
#include "train_drawing.h"
#include "train_modes.h"
#include "wide_text.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The bracket under the error field, for every gauge band.
constexpr RECT kGaugeRect = {75, 106, 202, 119};

// Where a train drawn to scale may go, between the results and the option
// boxes, clear of every control but the tooth fields: tall beside the
// up-down, or wider above it. It goes where it is drawn largest.
constexpr DrawingBox kDrawingBoxes[] = {{268, 0, 116, 146}, {214, 0, 170, 118}};

// The key beside the drawing, under the option boxes: each shaft with its gears.
constexpr int kKeyLeft = 392;
constexpr int kKeyTop = 60;
constexpr int kKeyLineHeight = 15;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLabelColour = RGB(90, 90, 90); // the shafts' names, apart from the tooth counts

// The drawing boxes and the fixed diagram together.
constexpr RECT kDiagramRects[] = {{214, 0, 384, 118}, {266, 118, 384, 146}, {384, 56, 560, 146}};

void DrawGearDiagram(HDC dc) {
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    Ellipse(dc, 280, 25, 380, 125);
    Ellipse(dc, 256, 3, 306, 53);
    Ellipse(dc, 365, 90, 415, 140);
    Pie(dc, 285, 30, 375, 120, 420, 30, 30, 800);
}

// Texts centred on points, each drawn only where it meets none drawn before:
// in a small drawing the labels of close shafts would write over each other,
// and the key beside the drawing names every gear anyway.
class Labels {
  public:
    explicit Labels(HDC dc) : dc_(dc) {}

    void Centred(double x, double y, const std::string& text) {
        const std::wstring wide = WideFromUtf8(text);
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        const RECT box = {static_cast<LONG>(x) - size.cx / 2, static_cast<LONG>(y) - size.cy / 2,
                          static_cast<LONG>(x) + (size.cx + 1) / 2, static_cast<LONG>(y) + (size.cy + 1) / 2};
        RECT overlap;
        if (std::ranges::any_of(drawn_,
                                [&](const RECT& other) { return IntersectRect(&overlap, &box, &other); })) {
            return;
        }
        TextOutW(dc_, box.left, box.top, wide.c_str(), static_cast<int>(wide.size()));
        drawn_.push_back(box);
    }

  private:
    HDC dc_;
    std::vector<RECT> drawn_;
};

void DrawCircle(HDC dc, double x, double y, double radius) {
    Ellipse(dc, static_cast<int>(x - radius + 0.5), static_cast<int>(y - radius + 0.5),
            static_cast<int>(x + radius + 0.5), static_cast<int>(y + radius + 0.5));
}

// Each gear's pitch circle; each shaft a dot with its gears' tooth counts
// above it (the smaller gear's by the dot, the larger one's halfway out
// between the two circles) and its name: above the spindle's gear, below the
// leadscrew's, below the dot of a stud. The key beside it lists each shaft's
// gears; for a train that does not mount on the banjo, drawn as if there were
// none, it says so.
void DrawToScale(HDC dc, const ScaleDrawing& scale) {
    const TrainDrawing& drawing = scale.train;
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const DrawnGear& gear : drawing.gears) {
        DrawCircle(dc, gear.x, gear.y, gear.radius);
    }
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    LOGFONTW description = LabelFontDescription();
    description.lfHeight = -12;
    HFONT font = CreateFontIndirectW(&description);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    Labels labels(dc);
    for (std::size_t s = 0; s < drawing.shafts.size(); ++s) {
        const DrawnShaft& shaft = drawing.shafts[s];
        std::vector<DrawnGear> gears;
        std::ranges::copy_if(drawing.gears, std::back_inserter(gears),
                             [&](const DrawnGear& g) { return g.x == shaft.x && g.y == shaft.y; });
        std::ranges::sort(gears, {}, &DrawnGear::radius);
        DrawCircle(dc, shaft.x, shaft.y, 2);
        labels.Centred(shaft.x, shaft.y - 8, std::to_string(gears.front().teeth));
        if (gears.size() == 2) {
            labels.Centred(shaft.x, shaft.y - (gears[0].radius + gears[1].radius) / 2,
                           std::to_string(gears[1].teeth));
        }
        const double outside = gears.back().radius + 7;
        const double labelY = s == 0                           ? shaft.y - outside
                              : s + 1 == drawing.shafts.size() ? shaft.y + outside
                                                               : shaft.y + 9;
        SetTextColor(dc, kLabelColour);
        labels.Centred(shaft.x, labelY, shaft.label);
        SetTextColor(dc, kBlack);
    }
    std::vector<std::string> key = scale.key;
    if (scale.doesNotMount) {
        key.push_back("does not mount on the banjo");
    }
    for (std::size_t line = 0; line < key.size(); ++line) {
        const std::wstring text = WideFromUtf8(key[line]);
        TextOutW(dc, kKeyLeft, kKeyTop + static_cast<int>(line) * kKeyLineHeight, text.c_str(),
                 static_cast<int>(text.size()));
    }
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(font);
}

void DrawErrorGauge(HDC dc, const char* errorText) {
    const std::optional<int> rightEnd = GaugeRightEnd(errorText);
    if (!rightEnd) {
        return;
    }
    MoveToEx(dc, 77, 117, nullptr);
    LineTo(dc, 77, 108);
    MoveToEx(dc, 77, 113, nullptr);
    LineTo(dc, *rightEnd, 113);
    LineTo(dc, *rightEnd, 108);
}

// Invalidates the gauge before the text changes; the next paint of the main
// window draws it from the new text.
void OnSetText(HWND field) {
    InvalidateRect(GetParent(field), &kGaugeRect, TRUE);
}

} // namespace

void PaintMainWindow(HWND mainWindow, HDC dc) {
    char errorText[25] = {};
    GetDlgItemTextA(mainWindow, IDC_ERROR, errorText, sizeof errorText);
    const int saved = SaveDC(dc); // the brush, pen and font selected here go back with it
    if (DrawnToScale(WindowShowSettings(mainWindow), ShownGears(mainWindow))) {
        if (const std::optional<ScaleDrawing> scale = ShownScaleDrawing(mainWindow)) {
            DrawToScale(dc, *scale);
        }
    } else {
        DrawGearDiagram(dc);
    }
    DrawErrorGauge(dc, errorText);
    RestoreDC(dc, saved);
}

std::optional<ScaleDrawing> ShownScaleDrawing(HWND mainWindow) {
    const ShowSettings settings = WindowShowSettings(mainWindow);
    if (g_solutionList.empty() || !DrawnToScale(settings, ShownGears(mainWindow))) {
        return std::nullopt;
    }
    const ShownTrain shown = ShowTrain(g_solutionList[ShownIndex(mainWindow)], settings);
    const std::optional<Placement> placement =
        PlaceTrain(shown.gears, shown.onBanjo ? settings.banjo : std::nullopt);
    if (!placement) {
        return std::nullopt;
    }
    return ScaleDrawing{DrawTrainInLargest(*placement, kDrawingBoxes, 13), ShaftKey(*placement),
                        settings.banjo && !shown.onBanjo};
}

void InvalidateDiagram(HWND mainWindow) {
    for (const RECT& rect : kDiagramRects) {
        InvalidateRect(mainWindow, &rect, TRUE);
    }
}

LRESULT CALLBACK ErrorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC kept = KeptProcedure(field, g_keptErrorFieldProcedure);
    if (message == WM_SETTEXT) {
        OnSetText(field);
    }
    return CallWindowProcW(kept, field, message, wParam, lParam);
}
