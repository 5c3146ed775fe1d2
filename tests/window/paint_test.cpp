// The gear diagram and the error gauge, painted by the real main window into a
// memory bitmap: WM_PRINTCLIENT goes through the routine that WM_PAINT uses.
#include "window_fixture.h"

#include "paint.h"
#include "recalculate.h"
#include "resource.h"

#include <optional>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGray = RGB(128, 128, 128);

// A white 570 x 630 bitmap selected into a memory device context.
class Canvas {
  public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 570;
        info.bmiHeader.biHeight = -630;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, 570, 630};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // The right end of the bracket: the rightmost x at y = 113 inside the gauge rectangle that is drawn.
    std::optional<int> BracketEnd() const {
        for (int x = 201; x >= 75; --x) {
            if (At(x, 113) != kWhite) {
                return x;
            }
        }
        return std::nullopt;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

class PaintTest : public MainWindowTest {
  protected:
    // The window painted into canvas with errorText in the error field.
    void PaintWithError(const Canvas& canvas, const char* errorText) {
        SetDlgItemTextA(window, IDC_ERROR, errorText);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    }
};

} // namespace

TEST_F(PaintTest, BracketEndsAtTheBandOfTheError) {
    struct Case {
        const char* errorText;
        int x;
    };
    const Case cases[] = {
        {"0.00003333333333", 109}, {"-0.04996666666667", 82}, {"0.01000000000000", 82},
        {"0.00000000100000", 143}, {"0.00000000000010", 182}, {"0.00000000000001", 191},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.errorText);
        Canvas canvas;
        PaintWithError(canvas, c.errorText);
        EXPECT_EQ(canvas.BracketEnd(), c.x);
        // Left tick from y = 117 up to 108 (end point not set), right tick from 113 up to 108.
        EXPECT_EQ(canvas.At(77, 117), kBlack);
        EXPECT_EQ(canvas.At(77, 109), kBlack);
        EXPECT_EQ(canvas.At(77, 108), kWhite);
        EXPECT_EQ(canvas.At(c.x, 109), kBlack);
        EXPECT_EQ(canvas.At(c.x, 108), kWhite);
        EXPECT_EQ(canvas.At(c.x, 114), kWhite);
    }
}

TEST_F(PaintTest, NoBracketWithoutAZeroCount) {
    for (const char* text : {"", "0.00000000000000", "0.10000000000000", "-0.46666666666667",
                             "2.50000000000000", "0.000000000000001"}) {
        SCOPED_TRACE(text);
        Canvas canvas;
        PaintWithError(canvas, text);
        for (int y = 106; y < 119; ++y) {
            for (int x = 75; x < 202; ++x) {
                ASSERT_EQ(canvas.At(x, y), kWhite) << x << "," << y;
            }
        }
    }
}

// The paint leaves the device context's brush and pen as it found them.
TEST_F(PaintTest, TheFourGearShapesAreFilledGrayAndOutlined) {
    Canvas canvas;
    HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
    PaintWithError(canvas, "");
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(canvas.At(351, 96), kGray);  // large circle, outside the pie
    EXPECT_EQ(canvas.At(270, 20), kGray);  // upper-left small circle
    EXPECT_EQ(canvas.At(400, 125), kGray); // lower-right small circle
    EXPECT_EQ(canvas.At(309, 54), kGray);  // pie
    EXPECT_EQ(canvas.At(330, 25), kBlack); // top of the large circle's outline
    EXPECT_EQ(canvas.At(330, 75), kBlack); // the pie's centre, where its radii meet
    EXPECT_EQ(canvas.At(250, 75), kWhite); // outside every shape
}

TEST_F(PaintTest, ANewErrorTextInvalidatesOnlyTheGauge) {
    UpdateWindow(window);
    ValidateRect(window, nullptr);
    SetDlgItemTextA(window, IDC_ERROR, "0.00003333333333");
    RECT update;
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 75);
    EXPECT_EQ(update.top, 106);
    EXPECT_EQ(update.right, 202);
    EXPECT_EQ(update.bottom, 119);
    UpdateWindow(window);
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

TEST_F(PaintTest, TheWindowsErrorTextSelectsTheBracket) {
    EnterRatio("0.6667");
    Canvas canvas;
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    const std::string zeros = Text(IDC_ZERO_COUNT);
    ASSERT_FALSE(zeros.empty());
    const int xs[] = {82, 91, 100, 109, 118, 127, 136, 143, 153, 162, 171, 182, 191};
    EXPECT_EQ(canvas.BracketEnd(), xs[std::stoi(zeros) - 1]);
}

// Six gears are drawn to scale in place of the fixed diagram: each shaft's
// dot and each solid pitch circle (the front plane's) where the drawing of
// the shown train puts them.
TEST_F(PaintTest, SixGearsAreDrawnToScaleInPlaceOfTheDiagram) {
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    EnterRatio("0.5");
    const std::optional<ScaleDrawing> scale = ShownScaleDrawing(window);
    ASSERT_TRUE(scale);
    EXPECT_EQ(scale->train.shafts.size(), 4u);
    Canvas canvas;
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    const auto black = [&](double x, double y) {
        return canvas.At(static_cast<int>(x), static_cast<int>(y)) == kBlack ||
               canvas.At(static_cast<int>(x + 1), static_cast<int>(y)) == kBlack;
    };
    for (const DrawnShaft& shaft : scale->train.shafts) {
        EXPECT_TRUE(!shaft.dot || black(shaft.x, shaft.y)) << shaft.label;
    }
    for (const DrawnGear& gear : scale->train.gears) {
        EXPECT_TRUE(gear.plane != 0 || black(gear.x - gear.radius, gear.y)) << gear.teeth;
    }
    EXPECT_NE(canvas.At(270, 20), kGray); // the fixed diagram's gray circles are gone
    EXPECT_NE(canvas.At(400, 125), kGray);
}

// Drawn to scale, the diagram is marked for painting when the train shown or
// the settings it is drawn with change, and not by a recalculation that shows
// the same train again, as a keystroke's first one does.
TEST_F(PaintTest, TheDrawingToScaleIsPaintedAgainOnlyWhenItChanges) {
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    EnterRatio("0.5");
    UpdateWindow(window);
    const auto marked = [&] { // a point of the drawing's area, clear of every control
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(window, region, FALSE);
        const bool inside = PtInRegion(region, 300, 60) != FALSE;
        DeleteObject(region);
        ValidateRect(window, nullptr);
        return inside;
    };
    EXPECT_FALSE(marked());
    Recalculate(window);
    EXPECT_FALSE(marked());
    StepUpDown(+1);
    EXPECT_TRUE(marked());
    Click(IDC_FIRST_DRIVER_SMALLER);
    EXPECT_TRUE(marked());
    Recalculate(window); // back to the first train
    EXPECT_TRUE(marked());
    Recalculate(window);
    EXPECT_FALSE(marked());
}
