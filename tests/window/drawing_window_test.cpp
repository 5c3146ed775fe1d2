// The drawing window over the real main window: command 181 (and Ctrl+D)
// opens it beside the main window, which keeps the keyboard; it draws the
// shown train and follows it; it grows with its size; closed and opened
// again, it stands where it stood.
#include "window_fixture.h"

#include "drawing_window.h"
#include "lathe_files.h"
#include "program_state.h"
#include "resource.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

RECT WindowRect(HWND of) {
    RECT rect;
    GetWindowRect(of, &rect);
    return rect;
}

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

} // namespace

class DrawingWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        g_drawing = {};
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        EXPECT_EQ(g_drawing.window, nullptr) << "closed with the main window";
    }

    void Open() {
        SendMessageW(window, WM_COMMAND, IDM_DRAWING, 0);
        ASSERT_NE(g_drawing.window, nullptr);
    }

    // The tooth counts the drawing window shows, in position order (none without a train).
    std::vector<std::string> Drawn() const {
        std::vector<std::string> teeth;
        if (const std::optional<DrawingWindowLayout> layout = LayOutDrawingWindow(g_drawing.window)) {
            for (const Label& label : layout->drawing.toothCounts) {
                teeth.push_back(label.text);
            }
        }
        return teeth;
    }

    // The gears in the main window's tooth fields: A, B, C, D of the fixed diagram.
    std::vector<std::string> ToothFields() const {
        return {Text(IDC_FIRST_DRIVER), Text(IDC_FIRST_DRIVEN), Text(IDC_SECOND_DRIVER),
                Text(IDC_SECOND_DRIVEN)};
    }

    // Whether the drawing window waits to paint again; it then paints.
    bool WaitsToPaint() const {
        RECT update;
        const bool waits = GetUpdateRect(g_drawing.window, &update, FALSE) != FALSE;
        UpdateWindow(g_drawing.window);
        return waits;
    }
};

// On the main window's left where the screen has room, otherwise on its right.
TEST_F(DrawingWindowTest, OpensBesideTheMainWindowWhichKeepsTheKeyboard) {
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const RECT main = WindowRect(window);
    const int width = main.right - main.left;
    for (const int left : {0, screen - width}) {
        SetWindowPos(window, nullptr, left, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(PressKeys({VK_CONTROL, 'D'}));
        RunMessageLoop(100);
        ASSERT_NE(g_drawing.window, nullptr) << "Ctrl+D";
        EXPECT_TRUE(IsWindowVisible(g_drawing.window) && GetWindow(g_drawing.window, GW_OWNER) == window);
        const RECT drawing = WindowRect(g_drawing.window);
        const RECT moved = WindowRect(window);
        RECT overlap;
        EXPECT_EQ(drawing.right <= moved.left, left > 0) << "on the side with room";
        EXPECT_FALSE(IntersectRect(&overlap, &moved, &drawing));
        EXPECT_EQ(FocusId(), IDC_RATIO);
        DestroyWindow(g_drawing.window);
        g_drawing = {};
    }
    Open();
    const HWND opened = g_drawing.window;
    Open();
    EXPECT_EQ(g_drawing.window, opened) << "the one window, brought forward";
    EXPECT_TRUE(Drawn().empty()) << "no train is listed";
}

// Navigation, recalculation, the option boxes, the kind of train and the
// lathe's banjo each change the drawing, which shows the train the main window shows.
TEST_F(DrawingWindowTest, FollowsTheShownTrain) {
    Open();
    EnterRatio("0.5");
    EXPECT_TRUE(WaitsToPaint());
    const std::vector<std::string> first = Drawn();
    EXPECT_EQ(first, ToothFields());
    StepUpDown(+1);
    EXPECT_TRUE(WaitsToPaint());
    EXPECT_EQ(Drawn(), ToothFields());
    EXPECT_NE(Drawn(), first);
    Click(IDC_FIRST_DRIVER_SMALLER);
    EXPECT_TRUE(WaitsToPaint());
    EXPECT_EQ(Drawn(), ToothFields());
    EnterRatio("0.75");
    EXPECT_TRUE(WaitsToPaint());
    EXPECT_EQ(Drawn(), ToothFields());

    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    EXPECT_TRUE(WaitsToPaint());
    EXPECT_EQ(Drawn().size(), 6u);

    // A lathe with a banjo and the fit on: the train stands on the banjo, the
    // leadscrew the centre distance below the spindle.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / L"tandrel drawing test.tandrel";
    std::ofstream(file, std::ios::binary)
        << "gears = \"20-80/5, 127\"\n[fit]\nmargin = 15\n[banjo]\nmodule = "
           "1.5\ncentre_distance = 120\nstud_min = 40\nstud_max = 100\n";
    ASSERT_TRUE(TakeLatheFile(window, file.wstring()).what.empty());
    std::filesystem::remove(file);
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_COMPOUND, 0);
    EXPECT_TRUE(WaitsToPaint());
    const TrainDrawing drawing = LayOutDrawingWindow(g_drawing.window).value().drawing;
    const DrawnShaft& spindle = drawing.shafts.front();
    const DrawnShaft& leadscrew = drawing.shafts.back();
    EXPECT_NEAR(spindle.x, leadscrew.x, 1e-6);
    EXPECT_NEAR((leadscrew.y - spindle.y) / drawing.gears[0].radius, 120 / (0.75 * drawing.gears[0].teeth),
                1e-6);

    EnterRatio("");
    EXPECT_TRUE(WaitsToPaint());
    EXPECT_TRUE(Drawn().empty());
}

// Painted: each solid circle's leftmost point and each tooth count's line
// hold ink; larger, the window draws the train larger, with larger tooth counts.
TEST_F(DrawingWindowTest, PaintsTheTrainAndGrowsWithTheWindow) {
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    EnterRatio("0.472441");
    Open();
    DrawingWindowLayout before{};
    for (const SIZE size : {SIZE{420, 360}, SIZE{900, 760}}) {
        SetWindowPos(g_drawing.window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        const DrawingWindowLayout layout = LayOutDrawingWindow(g_drawing.window).value();
        EXPECT_GT(layout.drawing.gears[0].radius,
                  before.drawing.gears.empty() ? 0 : before.drawing.gears[0].radius);
        EXPECT_GT(layout.toothCountHeight, before.toothCountHeight);
        HDC screen = GetDC(g_drawing.window);
        HDC canvas = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
        HGDIOBJ previous = SelectObject(canvas, bitmap);
        SendMessageW(g_drawing.window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas), PRF_CLIENT);
        // Whether a pixel of the row y from x to x + width is dark.
        const auto ink = [&](double x, double y, double width) {
            bool dark = false;
            for (int at = static_cast<int>(x); at <= static_cast<int>(x + width); ++at) {
                const COLORREF c = GetPixel(canvas, at, static_cast<int>(y + 0.5));
                dark |= GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
            }
            return dark;
        };
        for (const DrawnGear& gear : layout.drawing.gears) {
            EXPECT_TRUE(gear.plane != 0 || ink(gear.x - gear.radius - 1, gear.y, 2)) << gear.teeth;
        }
        for (const Label& label : layout.drawing.toothCounts) {
            EXPECT_TRUE(ink(label.x - label.width / 2, label.y, label.width)) << label.text;
        }
        SelectObject(canvas, previous);
        DeleteObject(bitmap);
        DeleteDC(canvas);
        ReleaseDC(g_drawing.window, screen);
        before = layout;
    }
}

// Closed by its close button or by Escape, it opens again where it stood, at
// its size; the main window stays.
TEST_F(DrawingWindowTest, OpensAgainWhereItStood) {
    Open();
    SetWindowPos(g_drawing.window, nullptr, 40, 50, 520, 430, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT stood = WindowRect(g_drawing.window);
    SendMessageW(g_drawing.window, WM_CLOSE, 0, 0); // the close button: a dialog posts itself Cancel
    RunMessageLoop(50);
    EXPECT_EQ(g_drawing.window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    Open();
    EXPECT_TRUE(WindowRect(g_drawing.window) == stood);
    SetForegroundWindow(g_drawing.window);
    PostMessageW(g_drawing.window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    RunMessageLoop(50);
    EXPECT_EQ(g_drawing.window, nullptr) << "Escape";
    Open();
    EXPECT_TRUE(WindowRect(g_drawing.window) == stood);
}
