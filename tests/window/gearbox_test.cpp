// The gearbox lathe in the real main window: the thread line and the drawings
// for the plate's own gears, and Tools, Gearbox editing the settings.
#include "window_fixture.h"

#include "drawing_window.h"
#include "lathe.h"
#include "load_lathe.h"
#include "paint.h"
#include "program_state.h"
#include "resource.h"
#include "tools_dialog.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr char kBoxLathe[] = "gears = \"20-80/5, 120, 127\"\nleadscrew = \"8tpi\"\n[gearbox]\nplate_gears = "
                             "\"40:80\"\n[gearbox.settings]\nB4 = \"10 tpi\"\nB5 = \"11 tpi\"\n";

testing::AssertionResult StartsWith(const std::string& text, const std::string& start) {
    return text.starts_with(start) ? testing::AssertionSuccess() : testing::AssertionFailure() << text;
}

} // namespace

class GearboxTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        std::filesystem::create_directories(folder);
        std::ofstream(file, std::ios::binary) << kBoxLathe;
        StartWindow(L"tandrel.exe " + file.wstring());
        InDialog(IDM_THREAD, [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_THREAD_PITCH, "11 tpi");
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        std::filesystem::remove_all(folder);
    }

    void InDialog(int command, std::function<void(HWND)> action) {
        OnNextDialog(std::move(action));
        SendMessageW(window, WM_COMMAND, command, 0);
        EXPECT_FALSE(DialogForcedClosed());
    }

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"tandrel gearbox tests";
    const std::filesystem::path file = folder / L"box.tandrel";
};

// 11 TPI is setting B5 with the plate's gears: no tooth fields, and the
// diagram and the drawing window name the plate's gears where gears would stand.
TEST_F(GearboxTest, ThePlatesGearsAreNamedWhereTheGearsWouldStand) {
    EXPECT_TRUE(StartsWith(Text(IDC_THREAD_LINE),
                           "setting B5, plate gears: 11 TPI on 8 TPI leadscrew: lead 11.0000 TPI"));
    EXPECT_FALSE(Visible(IDC_FIRST_DRIVER));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_FIRST_DRIVER_SMALLER)));
    EXPECT_EQ(ShownScaleDrawing(window).value().key, std::vector<std::string>{"plate gears: 40:80"});
    SendMessageW(window, WM_COMMAND, IDM_DRAWING, 0);
    const DrawingWindowLayout layout = LayOutDrawingWindow(g_drawing.window).value();
    EXPECT_TRUE(layout.drawing.gears.empty());
    ASSERT_EQ(layout.key.size(), 2u);
    EXPECT_EQ(layout.key[0].text + " | " + layout.key[1].text.substr(0, 24),
              "plate gears: 40:80 | setting B5, plate gears");
}

// The dialog shows the settings and the plate's gears; a refused line or
// field keeps it open with the sentence, the line selected; Escape changes
// nothing; OK changes the answer and marks the lathe changed, and Save writes
// it; an empty list takes the gearbox away.
TEST_F(GearboxTest, DialogEditsTheSettings) {
    const Lathe opened = g_lathe.settings;
    InDialog(IDM_GEARBOX, [](HWND dialog) {
        EXPECT_EQ(DialogFieldText(dialog, IDC_BOX_SETTINGS), "B4 = 10tpi\r\nB5 = 11tpi\r\n");
        EXPECT_EQ(DialogFieldText(dialog, IDC_BOX_PLATE), "40:80");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_BOX_SETTINGS, EM_GETSEL, 0, 0), 0) << "nothing selected";
        SetDlgItemTextA(dialog, IDC_BOX_SETTINGS, "B4 = 10 tpi\r\nB5 = 11 tqi\r\n");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog) && GetFocus() == GetDlgItem(dialog, IDC_BOX_SETTINGS));
        EXPECT_TRUE(StartsWith(DialogFieldText(dialog, IDC_BOX_PROBLEM),
                               "line 2: setting 'B5' '11 tqi' has an unknown unit"));
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_BOX_SETTINGS, EM_GETSEL, 0, 0), MAKELONG(13, 24))
            << "the refused line alone is selected";
        SetDlgItemTextA(dialog, IDC_BOX_PLATE, "40:8");
        SetDlgItemTextA(dialog, IDC_BOX_SETTINGS, "B5 = 12 tpi");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog) && GetFocus() == GetDlgItem(dialog, IDC_BOX_PLATE));
        EXPECT_TRUE(StartsWith(DialogFieldText(dialog, IDC_BOX_PROBLEM), "Plate gears '40:8' holds '8'"));
        PostMessageW(GetDlgItem(dialog, IDC_BOX_SETTINGS), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(GetDlgItem(dialog, IDC_BOX_SETTINGS), WM_CHAR, VK_ESCAPE, 0);
    });
    EXPECT_TRUE(g_lathe.settings == opened) << "Escape changes nothing";

    InDialog(IDM_GEARBOX, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_BOX_SETTINGS, "B4 = 10 tpi\r\nB5 = 12 tpi");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Text(IDC_THREAD_LINE).find("plate gears"), std::string::npos) << Text(IDC_THREAD_LINE);
    EXPECT_TRUE(StartsWith(Text(IDC_THREAD_LINE), "setting B"));
    SendMessageW(window, WM_COMMAND, IDM_SAVE_LATHE, 0);
    Lathe saved;
    ASSERT_EQ(LoadLathe(file, saved).what, "");
    EXPECT_EQ(GearboxLines(saved.gearbox.value()), "B4 = 10tpi\nB5 = 12tpi\n");

    InDialog(IDM_GEARBOX, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_BOX_SETTINGS, " \r\n");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(g_lathe.settings.gearbox.has_value());
    EXPECT_TRUE(StartsWith(Text(IDC_THREAD_LINE), "11 TPI on 8 TPI leadscrew"));
    wchar_t caption[100] = {};
    GetWindowTextW(window, caption, 100);
    EXPECT_STREQ(caption, L"Tandrel - box *");
}
