#include "banjo_sketch.h"

#include <algorithm>
#include <cmath>

namespace {

// The sketch is laid out in a box of kWidth x kHeight units, scaled to fit.
constexpr double kWidth = 232;
constexpr double kHeight = 225;

struct Point {
    double x;
    double y;
};

Point operator+(Point p, Point q) {
    return {p.x + q.x, p.y + q.y};
}

Point operator*(double k, Point p) {
    return {k * p.x, k * p.y};
}

// The shafts, and the gears' pitch radii: A on the spindle meshes B on the
// stud, C beside B meshes D on the leadscrew.
constexpr Point kSpindle{92, 44};
constexpr Point kLeadscrew{92, 154};
constexpr double kRadiusA = 20;
constexpr double kRadiusB = 38;
constexpr double kRadiusC = 18;
constexpr double kRadiusD = 46;
// The slot, along the line from the leadscrew through the stud.
constexpr double kStudMin = 52;
constexpr double kStudMax = 80;
constexpr double kSlotHalfWidth = 4;

// Where the stud stands: A and B, C and D mesh.
Point Stud() {
    const double a = kRadiusA + kRadiusB;
    const double b = kRadiusC + kRadiusD;
    const double l = kLeadscrew.y - kSpindle.y;
    const double down = (l * l + a * a - b * b) / (2 * l);
    return {kSpindle.x + std::sqrt(a * a - down * down), kSpindle.y + down};
}

class Sketch {
  public:
    Sketch(HDC dc, const RECT& rect) : dc_(dc) {
        const double width = rect.right - rect.left;
        const double height = rect.bottom - rect.top;
        scale_ = std::min(width / kWidth, height / kHeight);
        left_ = rect.left + (width - scale_ * kWidth) / 2;
        top_ = rect.top + (height - scale_ * kHeight) / 2;
    }

    POINT At(Point p) const {
        return {static_cast<LONG>(std::lround(left_ + scale_ * p.x)),
                static_cast<LONG>(std::lround(top_ + scale_ * p.y))};
    }

    void Line(Point from, Point to) const {
        const POINT a = At(from);
        const POINT b = At(to);
        MoveToEx(dc_, a.x, a.y, nullptr);
        LineTo(dc_, b.x, b.y);
    }

    void Circle(Point centre, double radius) const {
        const POINT c = At(centre);
        const auto r = static_cast<LONG>(std::lround(scale_ * radius));
        Ellipse(dc_, c.x - r, c.y - r, c.x + r + 1, c.y + r + 1);
    }

    // A dimension from one point to another: the line with an arrowhead at each end.
    void Dimension(Point from, Point to) const {
        Line(from, to);
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        const Point along = (1 / length) * Point{to.x - from.x, to.y - from.y};
        const Point across{-along.y, along.x};
        constexpr double kHead = 5;
        for (const auto& [tip, back] : {std::pair{from, along}, std::pair{to, -1 * along}}) {
            Line(tip, tip + kHead * back + (kHead / 2.5) * across);
            Line(tip, tip + kHead * back + (-kHead / 2.5) * across);
        }
    }

    // A label whose anchor (TA_ flags) stands at p.
    void Text(Point p, const wchar_t* text, UINT align) const {
        const POINT at = At(p);
        SetTextAlign(dc_, align);
        TextOutW(dc_, at.x, at.y, text, static_cast<int>(wcslen(text)));
    }

    // A label set upright in its own box, centred on p: text of a vertical dimension.
    void UprightText(Point p, const wchar_t* text, HFONT font) const {
        LOGFONTW description{};
        GetObjectW(font, sizeof description, &description);
        description.lfEscapement = 900;
        description.lfOrientation = 900;
        HFONT upright = CreateFontIndirectW(&description);
        HGDIOBJ previous = SelectObject(dc_, upright);
        SIZE size{};
        GetTextExtentPoint32W(dc_, text, static_cast<int>(wcslen(text)), &size);
        const POINT at = At(p);
        SetTextAlign(dc_, TA_LEFT | TA_TOP);
        TextOutW(dc_, at.x - size.cy / 2, at.y + size.cx / 2, text, static_cast<int>(wcslen(text)));
        SelectObject(dc_, previous);
        DeleteObject(upright);
    }

  private:
    HDC dc_;
    double scale_ = 1;
    double left_ = 0;
    double top_ = 0;
};

constexpr COLORREF kGearColour = RGB(150, 150, 150);
constexpr COLORREF kDimensionColour = RGB(0, 70, 160);

} // namespace

void PaintBanjoSketch(HDC dc, const RECT& rect, HFONT font) {
    const int saved = SaveDC(dc);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    const Sketch sketch(dc, rect);
    const Point stud = Stud();
    const double studDistance = std::hypot(stud.x - kLeadscrew.x, stud.y - kLeadscrew.y);
    const Point outward = (1 / studDistance) * Point{stud.x - kLeadscrew.x, stud.y - kLeadscrew.y};
    const Point side{-outward.y, outward.x}; // to the right of the slot, seen from the leadscrew

    // The gears: A and B solid in the front plane, C and D dashed behind them.
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN front = CreatePen(PS_SOLID, 1, kGearColour);
    HPEN back = CreatePen(PS_DASH, 1, kGearColour);
    SelectObject(dc, front);
    sketch.Circle(kSpindle, kRadiusA);
    sketch.Circle(stud, kRadiusB);
    SelectObject(dc, back);
    SetBkMode(dc, TRANSPARENT);
    sketch.Circle(stud, kRadiusC);
    sketch.Circle(kLeadscrew, kRadiusD);

    // The slot the stud slides in, from stud min to stud max from the leadscrew.
    SelectObject(dc, GetStockObject(BLACK_PEN));
    for (const double offset : {-kSlotHalfWidth, kSlotHalfWidth}) {
        sketch.Line(kLeadscrew + kStudMin * outward + offset * side,
                    kLeadscrew + kStudMax * outward + offset * side);
    }
    for (const double end : {kStudMin, kStudMax}) {
        sketch.Line(kLeadscrew + end * outward + -kSlotHalfWidth * side,
                    kLeadscrew + end * outward + kSlotHalfWidth * side);
    }

    // The dimensions: the centre distance at the left, the slot's ends beside
    // it, and the clearance between B's tips and the leadscrew.
    HPEN dimension = CreatePen(PS_SOLID, 1, kDimensionColour);
    SelectObject(dc, dimension);
    constexpr double kCentreX = 20;
    for (const Point shaft : {kSpindle, kLeadscrew}) {
        sketch.Line({kCentreX - 4, shaft.y}, {shaft.x - 6, shaft.y});
    }
    sketch.Dimension({kCentreX, kSpindle.y}, {kCentreX, kLeadscrew.y});
    for (const auto& [end, offset] : {std::pair{kStudMin, 44.0}, std::pair{kStudMax, 56.0}}) {
        sketch.Line(kLeadscrew + end * outward + (kSlotHalfWidth + 2) * side,
                    kLeadscrew + end * outward + (offset + 4) * side);
        sketch.Dimension(kLeadscrew + offset * side, kLeadscrew + end * outward + offset * side);
    }
    sketch.Line(kLeadscrew + 6 * side, kLeadscrew + 60 * side);
    const Point tipOfB = stud + -kRadiusB * outward;
    sketch.Dimension(kLeadscrew + 3 * outward, tipOfB);

    // The shafts.
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    for (const Point shaft : {kSpindle, stud, kLeadscrew}) {
        sketch.Circle(shaft, 3);
    }

    // The labels, in the words of the dialog's fields.
    SelectObject(dc, font);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    sketch.Text({kSpindle.x, kSpindle.y - kRadiusA - 2}, L"largest on spindle", TA_CENTER | TA_BOTTOM);
    sketch.Text({kLeadscrew.x, kLeadscrew.y + kRadiusD + 2}, L"largest on leadscrew", TA_CENTER | TA_TOP);
    sketch.Text({kSpindle.x - 6, kSpindle.y + 4}, L"spindle", TA_RIGHT | TA_TOP);
    sketch.Text({stud.x - 6, stud.y + 4}, L"stud", TA_RIGHT | TA_BASELINE);
    sketch.Text({kLeadscrew.x - 6, kLeadscrew.y + 4}, L"leadscrew", TA_RIGHT | TA_TOP);
    const Point clearance = kLeadscrew + (0.5 * (studDistance - kRadiusB)) * outward;
    sketch.Text({clearance.x - 4, clearance.y}, L"clearance", TA_RIGHT | TA_BASELINE);
    sketch.Text(kLeadscrew + kStudMin * outward + 46 * side, L"stud min", TA_LEFT | TA_TOP);
    sketch.Text(kLeadscrew + kStudMax * outward + 58 * side, L"stud max", TA_LEFT | TA_TOP);
    SetTextColor(dc, kDimensionColour);
    sketch.UprightText({kCentreX - 8, 0.5 * (kSpindle.y + kLeadscrew.y)}, L"centre distance", font);

    RestoreDC(dc, saved);
    DeleteObject(front);
    DeleteObject(back);
    DeleteObject(dimension);
}
