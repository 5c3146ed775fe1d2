// What the main window paints itself: the gear diagram and the error gauge,
// and the error field's replacement procedure that keeps the gauge current.
#include "paint.h"

#include "gauge.h"
#include "program_state.h"
#include "replacement.h"
#include "resource.h"

namespace {

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

// Invalidates the gauge before the text changes; the next paint of the main
// window draws it from the new text.
void OnSetText(HWND field) {
    InvalidateRect(GetParent(field), &kGaugeRect, TRUE);
}

} // namespace

void PaintMainWindow(HWND mainWindow, HDC dc) {
    char errorText[25] = {};
    GetDlgItemTextA(mainWindow, IDC_ERROR, errorText, sizeof errorText);
    const int saved = SaveDC(dc); // the brush and pen selected here go back with it
    DrawGearDiagram(dc);
    DrawErrorGauge(dc, errorText);
    RestoreDC(dc, saved);
}

LRESULT CALLBACK ErrorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC kept = KeptProcedure(field, g_keptErrorFieldProcedure);
    if (message == WM_SETTEXT) {
        OnSetText(field);
    }
    return CallWindowProcW(kept, field, message, wParam, lParam);
}
