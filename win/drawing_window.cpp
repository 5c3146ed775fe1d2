#include "drawing_window.h"

#include "program_state.h"
#include "resource.h"
#include "train_modes.h"
#include "train_paint.h"
#include "wide_text.h"

#include <algorithm>

namespace {

constexpr int kMargin = 10; // about the drawing and the key, in pixels
constexpr wchar_t kNoTrain[] = L"No train is listed.";

// The tooth counts' height for a client area: they grow with the window, to
// be read from the lathe. The key is set in their font, the shafts' names a
// little smaller.
int ToothCountHeight(const RECT& client) {
    return std::clamp(static_cast<int>(std::min(client.right, client.bottom)) / 22, 14, 34);
}

// The width of the stroke before a plane's line of the key; half a line's height parts it from the text.
int StrokeWidth(int lineHeight) {
    return 2 * lineHeight;
}

void PaintKey(HDC dc, const DrawingWindowLayout& layout, HFONT font) {
    const int saved = SaveDC(dc);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const int stroke = StrokeWidth(layout.keyLineHeight);
    for (std::size_t i = 0; i < layout.key.size(); ++i) {
        const KeyLine& line = layout.key[i];
        const int y = layout.keyAt.y + static_cast<int>(i) * layout.keyLineHeight;
        int x = layout.keyAt.x;
        if (line.plane) {
            PaintPlaneStroke(dc, *line.plane, x, x + stroke, y + layout.keyLineHeight / 2, layout.lineWidth);
            x += stroke + layout.keyLineHeight / 2;
        }
        const std::wstring text = WideFromUtf8(line.text);
        TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    }
    RestoreDC(dc, saved);
}

// The whole client area, painted into a bitmap first, so that resizing does
// not flicker. WM_PAINT and WM_PRINTCLIENT both paint through it.
void PaintDrawingWindow(HWND drawingWindow, HDC dc) {
    RECT client;
    GetClientRect(drawingWindow, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap =
        CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    HGDIOBJ previous = SelectObject(memory, bitmap);
    FillRect(memory, &client, GetSysColorBrush(COLOR_WINDOW));
    if (const std::optional<DrawingWindowLayout> layout = LayOutDrawingWindow(drawingWindow)) {
        const DrawingFonts fonts = MakeDrawingFonts(layout->toothCountHeight, layout->shaftNameHeight);
        PaintTrainDrawing(memory, layout->drawing, layout->style, fonts, layout->lineWidth);
        PaintKey(memory, *layout, fonts.toothCounts);
        DeleteDrawingFonts(fonts);
    } else {
        SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(memory, TRANSPARENT);
        DrawTextW(memory, kNoTrain, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void OnPaint(HWND drawingWindow) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(drawingWindow, &paint);
    PaintDrawingWindow(drawingWindow, dc);
    EndPaint(drawingWindow, &paint);
}

// The first time: beside the main window, on its left where the screen has
// room, otherwise on its right.
void PlaceBesideMainWindow(HWND drawingWindow) {
    RECT main;
    RECT own;
    GetWindowRect(GetWindow(drawingWindow, GW_OWNER), &main);
    GetWindowRect(drawingWindow, &own);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(drawingWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG width = own.right - own.left;
    const LONG x = main.left - 8 - width >= monitor.rcWork.left
                       ? main.left - 8 - width
                       : std::min(main.right + 8, monitor.rcWork.right - width);
    SetWindowPos(drawingWindow, nullptr, x, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR OnDestroy(HWND drawingWindow) {
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if (GetWindowPlacement(drawingWindow, &place)) {
        g_drawing.place = place;
    }
    g_drawing.window = nullptr;
    return TRUE;
}

INT_PTR CALLBACK DrawingWindowProc(HWND drawingWindow, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: // nothing to focus: the main window keeps the keyboard
        return FALSE;
    case WM_PAINT:
        OnPaint(drawingWindow);
        return TRUE;
    case WM_PRINTCLIENT: // painting into a device context the caller gives, such as a bitmap
        PaintDrawingWindow(drawingWindow, reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_ERASEBKGND: // the paint covers the whole client area
        SetWindowLongPtrW(drawingWindow, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_SIZE:
        InvalidateRect(drawingWindow, nullptr, FALSE);
        return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {240, 200};
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) { // Escape or the caption's close button
            DestroyWindow(drawingWindow);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        return OnDestroy(drawingWindow);
    default:
        return FALSE;
    }
}

} // namespace

void OpenDrawingWindow(HWND mainWindow) {
    if (g_drawing.window != nullptr) {
        ShowWindow(g_drawing.window, IsIconic(g_drawing.window) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
        SetWindowPos(g_drawing.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    g_drawing.window =
        CreateDialogParamW(g_instance, MAKEINTRESOURCEW(IDD_DRAWING), mainWindow, DrawingWindowProc, 0);
    if (g_drawing.place) {
        WINDOWPLACEMENT place = *g_drawing.place;
        place.showCmd = place.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE;
        SetWindowPlacement(g_drawing.window, &place);
    } else {
        PlaceBesideMainWindow(g_drawing.window);
        ShowWindow(g_drawing.window, SW_SHOWNOACTIVATE);
    }
}

void RedrawDrawingWindow() {
    if (g_drawing.window != nullptr) {
        InvalidateRect(g_drawing.window, nullptr, FALSE);
    }
}

std::optional<DrawingWindowLayout> LayOutDrawingWindow(HWND drawingWindow) {
    HWND mainWindow = GetWindow(drawingWindow, GW_OWNER);
    // The plate's own gears have nothing to draw: the key names them.
    const bool plateGears = !g_solutionList.empty() && ShownGears(mainWindow) == 0;
    const std::optional<ShownPlacement> shown = ShownTrainPlacement(mainWindow);
    if (!shown && !plateGears) {
        return std::nullopt;
    }
    RECT client;
    GetClientRect(drawingWindow, &client);
    DrawingWindowLayout layout;
    layout.toothCountHeight = ToothCountHeight(client);
    layout.shaftNameHeight = layout.toothCountHeight * 4 / 5;
    layout.lineWidth = std::max(1, layout.toothCountHeight / 12);
    const double height = layout.toothCountHeight;
    layout.style = {kMargin, std::max(2.0, height / 6), 0.8 * height, std::max(2.0, height / 6), true};
    layout.key = plateGears ? std::vector<KeyLine>{{PlateGearsKey(g_lathe.settings.gearbox), std::nullopt}}
                            : TrainKey(shown->placement, shown->doesNotMount);
    if (!g_drawing.dialLine.empty()) {
        layout.key.push_back({g_drawing.dialLine, std::nullopt});
    }

    HDC dc = GetDC(drawingWindow);
    const DrawingFonts fonts = MakeDrawingFonts(layout.toothCountHeight, layout.shaftNameHeight);
    const MeasureText measure = MeasureWith(dc, fonts);
    layout.keyLineHeight = static_cast<int>(measure("0", true).height);
    const int stroke = StrokeWidth(layout.keyLineHeight) + layout.keyLineHeight / 2;
    int keyWidth = 0;
    for (const KeyLine& line : layout.key) {
        keyWidth =
            std::max(keyWidth, static_cast<int>(measure(line.text, true).width) + (line.plane ? stroke : 0));
    }
    const int keyHeight = static_cast<int>(layout.key.size()) * layout.keyLineHeight;
    if (plateGears) {
        DeleteDrawingFonts(fonts);
        ReleaseDC(drawingWindow, dc);
        layout.keyAt = {std::max<LONG>((client.right - keyWidth) / 2, kMargin),
                        std::max<LONG>((client.bottom - keyHeight) / 2, kMargin)};
        return layout;
    }
    const double width = client.right;
    const double tall = client.bottom;
    // The key at the right of the drawing, or below it.
    const DrawingBox boxes[] = {{0, 0, std::max(width - keyWidth - kMargin, 1.0), tall},
                                {0, 0, width, std::max(tall - keyHeight - kMargin, 1.0)}};
    DrawingInBox drawn = DrawTrainInLargest(shown->placement, boxes, layout.style, measure);
    DeleteDrawingFonts(fonts);
    ReleaseDC(drawingWindow, dc);
    layout.drawing = std::move(drawn.drawing);
    layout.keyAt = drawn.box == 0 ? POINT{client.right - kMargin - keyWidth, kMargin}
                                  : POINT{kMargin, client.bottom - kMargin - keyHeight};
    return layout;
}
