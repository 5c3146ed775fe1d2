// What the main window paints itself: the gear diagram and the error gauge,
// and the error field's replacement procedure that keeps the gauge current.
#include "view/paint.h"

#include "app/replacement.h"
#include "app/resource.h"
#include "view/gauge.h"

namespace {

WNDPROC keptErrorFieldProcedure = nullptr;

// The bracket under the error field, for every gauge band.
constexpr RECT kGaugeRect = {75, 106, 202, 119};

void DrawGearDiagram(HDC dc) {
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    Ellipse(dc, 280, 25, 380, 125);
    Ellipse(dc, 256, 3, 306, 53);
    Ellipse(dc, 365, 90, 415, 140);
    Pie(dc, 285, 30, 375, 120, 420, 30, 30, 800);
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

} // namespace

void PaintDiagramAndGauge(HDC dc, const char* errorText) {
    DrawGearDiagram(dc);
    DrawErrorGauge(dc, errorText);
}

void PaintMainWindow(HWND mainWindow) {
    char errorText[25] = {};
    GetDlgItemTextA(mainWindow, IDC_ERROR, errorText, sizeof errorText);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(mainWindow, &paint);
    PaintDiagramAndGauge(dc, errorText);
    EndPaint(mainWindow, &paint);
}

// Invalidates the gauge before the text changes; the next paint of the main
// window draws it from the new text.
LRESULT CALLBACK ErrorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC kept = KeptProcedure(field, keptErrorFieldProcedure);
    if (message == WM_SETTEXT) {
        InvalidateRect(GetParent(field), &kGaugeRect, TRUE);
    }
    return CallWindowProcW(kept, field, message, wParam, lParam);
}
