// What the main window paints itself: the gear diagram or the train drawn to
// scale, the error gauge, and the error field's replacement procedure that
// keeps the gauge current.
#include "paint.h"

#include "gauge.h"
#include "program_state.h"
#include "replacement.h"
#include "resource.h"
#include "shown_train.h"
#include "train_drawing.h"
#include "train_modes.h"
#include "train_paint.h"
#include "wide_text.h"

#include <string>

namespace {

// The bracket under the error field, for every gauge band.
constexpr RECT kGaugeRect = {75, 106, 202, 119};

// Where a train drawn to scale may go, between the results and the option
// boxes, clear of every control but the tooth fields: tall beside the
// up-down, or wider above it. It goes where it is drawn largest.
constexpr DrawingBox kDrawingBoxes[] = {{268, 0, 116, 146}, {214, 0, 170, 118}};

// The drawing's sizes in pixels; the key beside it names the shafts, so the drawing does not.
constexpr DrawingStyle kDrawingStyle = {2, 2, 7, 1, false};
constexpr int kToothCountHeight = 12;

// The key beside the drawing, under the option boxes: each shaft with its gears.
constexpr int kKeyLeft = 392;
constexpr int kKeyTop = 60;
constexpr int kKeyLineHeight = 15;

// Where the plate's own gears are named, in the middle of the drawing boxes.
constexpr RECT kPlateGearsRect = {214, 50, 384, 118};

// The drawing boxes and the fixed diagram together.
constexpr RECT kDiagramRects[] = {{214, 0, 384, 118}, {266, 118, 384, 146}, {384, 56, 560, 146}};

void DrawGearDiagram(HDC dc) {
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    Ellipse(dc, 280, 25, 380, 125);
    Ellipse(dc, 256, 3, 306, 53);
    Ellipse(dc, 365, 90, 415, 140);
    Pie(dc, 285, 30, 375, 120, 420, 30, 30, 800);
}

// The train to scale and, beside it, the key of its shafts and gears.
void DrawToScale(HDC dc, const ScaleDrawing& scale) {
    const DrawingFonts fonts = MakeDrawingFonts(kToothCountHeight, kToothCountHeight);
    PaintTrainDrawing(dc, scale.train, kDrawingStyle, fonts, 1);
    SelectObject(dc, fonts.toothCounts);
    SetBkMode(dc, TRANSPARENT);
    if (scale.train.gears.empty()) { // the plate's own gears: named where the gears would stand
        RECT area = kPlateGearsRect;
        DrawTextW(dc, WideFromUtf8(scale.key.front()).c_str(), -1, &area,
                  DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DeleteDrawingFonts(fonts);
        return;
    }
    for (std::size_t line = 0; line < scale.key.size(); ++line) {
        const std::wstring text = WideFromUtf8(scale.key[line]);
        TextOutW(dc, kKeyLeft, kKeyTop + static_cast<int>(line) * kKeyLineHeight, text.c_str(),
                 static_cast<int>(text.size()));
    }
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DeleteDrawingFonts(fonts);
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
    if (!DrawnToScale(WindowShowSettings(mainWindow), ShownGears(mainWindow))) {
        return std::nullopt;
    }
    if (ShownGears(mainWindow) == 0) {
        return ScaleDrawing{{}, {PlateGearsKey(g_lathe.settings.gearbox)}};
    }
    const std::optional<ShownPlacement> shown = ShownTrainPlacement(mainWindow);
    if (!shown) {
        return std::nullopt;
    }
    HDC dc = GetDC(mainWindow);
    const DrawingFonts fonts = MakeDrawingFonts(kToothCountHeight, kToothCountHeight);
    ScaleDrawing scale = {
        DrawTrainInLargest(shown->placement, kDrawingBoxes, kDrawingStyle, MeasureWith(dc, fonts)).drawing,
        ShaftKey(shown->placement, shown->doesNotMount)};
    DeleteDrawingFonts(fonts);
    ReleaseDC(mainWindow, dc);
    return scale;
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
