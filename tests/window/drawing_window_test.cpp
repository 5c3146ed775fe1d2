// The drawing window over the real main window: command 181 (and Ctrl+D)
// opens it beside the main window, which keeps the keyboard; it draws the
// shown train and follows it; it grows with its size; closed and opened
// again, it stands where it stood.
#include "window_fixture.h"

#include "banjo.h"
#include "drawing_window.h"
#include "lathe_files.h"
#include "program_state.h"
#include "resource.h"
#include "train.h"

#include <algorithm>
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
        EXPECT_TRUE(IsWindowVisible(g_drawing.window));
        EXPECT_EQ(GetWindow(g_drawing.window, GW_OWNER), window);
        const RECT drawing = WindowRect(g_drawing.window);
        const bool onTheLeft = drawing.left < left;
        EXPECT_EQ(onTheLeft, left > 0) << "on the side with room";
        RECT overlap;
        const RECT moved = WindowRect(window);
        EXPECT_FALSE(IntersectRect(&overlap, &moved, &drawing));
        EXPECT_EQ(FocusId(), IDC_RATIO);
        DestroyWindow(g_drawing.window);
        g_drawing = {};
    }
    Open();
    wchar_t caption[32] = {};
    GetWindowTextW(g_drawing.window, caption, 32);
    EXPECT_EQ(std::wstring(caption), L"Drawing");
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
    std::vector<std::string> six = Drawn();
    ASSERT_EQ(six.size(), 6u);
    std::vector<std::string> listed;
    for (const std::uint32_t teeth : Drivers(g_solutionList.front())) {
        listed.push_back(std::to_string(teeth));
    }
    for (const std::uint32_t teeth : Driven(g_solutionList.front())) {
        listed.push_back(std::to_string(teeth));
    }
    std::ranges::sort(six);
    std::ranges::sort(listed);
    EXPECT_EQ(six, listed);

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
    const std::optional<DrawingWindowLayout> layout = LayOutDrawingWindow(g_drawing.window);
    ASSERT_TRUE(layout);
    ASSERT_EQ(layout->drawing.shafts.size(), 3u);
    const DrawnShaft& spindle = layout->drawing.shafts.front();
    const DrawnShaft& leadscrew = layout->drawing.shafts.back();
    const DrawnGear& a = layout->drawing.gears.front();
    const Banjo banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt};
    EXPECT_NEAR(spindle.x, leadscrew.x, 1e-6);
    EXPECT_NEAR((leadscrew.y - spindle.y) / a.radius, 120 / PitchRadius(banjo, a.teeth), 1e-6);

    EnterRatio("");
    EXPECT_TRUE(WaitsToPaint());
    EXPECT_TRUE(Drawn().empty());
}

// Painted: each circle's leftmost point and each tooth count's box hold ink;
// larger, the window draws the train larger, with larger tooth counts.
TEST_F(DrawingWindowTest, PaintsTheTrainAndGrowsWithTheWindow) {
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIX, 0);
    EnterRatio("0.472441");
    Open();
    double radius = 0;
    int height = 0;
    for (const SIZE size : {SIZE{420, 360}, SIZE{900, 760}}) {
        SetWindowPos(g_drawing.window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const std::optional<DrawingWindowLayout> layout = LayOutDrawingWindow(g_drawing.window);
        ASSERT_TRUE(layout);
        EXPECT_GT(layout->drawing.gears.front().radius, radius);
        EXPECT_GT(layout->toothCountHeight, height);
        radius = layout->drawing.gears.front().radius;
        height = layout->toothCountHeight;

        RECT client;
        GetClientRect(g_drawing.window, &client);
        HDC screen = GetDC(g_drawing.window);
        HDC canvas = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ previous = SelectObject(canvas, bitmap);
        SendMessageW(g_drawing.window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas), PRF_CLIENT);
        const auto dark = [&](double x, double y) {
            const COLORREF c = GetPixel(canvas, static_cast<int>(x + 0.5), static_cast<int>(y + 0.5));
            return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
        };
        for (const DrawnGear& gear : layout->drawing.gears) {
            if (gear.plane == 0) { // solid: the dashed and dotted lines have gaps
                EXPECT_TRUE(dark(gear.x - gear.radius, gear.y) || dark(gear.x - gear.radius + 1, gear.y))
                    << gear.teeth;
            }
        }
        for (const Label& label : layout->drawing.toothCounts) {
            bool ink = false;
            for (double x = label.x - label.width / 2; x < label.x + label.width / 2; ++x) {
                ink |= dark(x, label.y);
            }
            EXPECT_TRUE(ink) << label.text;
            EXPECT_GE(label.x - label.width / 2, 0);
            EXPECT_LE(label.x + label.width / 2, client.right);
        }
        SelectObject(canvas, previous);
        DeleteObject(bitmap);
        DeleteDC(canvas);
        ReleaseDC(g_drawing.window, screen);
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
