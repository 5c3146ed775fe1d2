// The chart window over the real main window: it opens on the metric chart
// of the open lathe, Enter on a row sets the main window's thread, a gear-box
// change makes its rows again, and Export writes the page and the CSV.
#include "window_fixture.h"

#include "chart_export.h"
#include "chart_page.h"
#include "chart_table.h"
#include "gear_box_id.h"
#include "program_state.h"
#include "resource.h"
#include "wide_text.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>

class ChartWindowTest : public MainWindowTest {
  protected:
    // The metric example lathe, opened from the command line.
    void SetUp() override {
        MainWindowTest::SetUp();
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "metric.tandrel", std::ios::binary)
            << "name = \"Metric lathe, 3 mm\"\ngears = \"20-30/5, 35x2, 40-80/5\"\nleadscrew = \"3mm\"\n";
        StartWindow(L"tandrel.exe \"" + (folder / "metric.tandrel").wstring() + L"\"");
        SendMessageW(window, WM_COMMAND, IDM_CHART, 0);
        ASSERT_NE(g_chart.window, nullptr);
        WaitForChart();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        EXPECT_EQ(g_chart.window, nullptr) << "closed with the main window";
        std::filesystem::remove_all(folder);
    }

    // Runs the loop until the rows of the last request show, at most 10 s: the
    // change that the chart follows is posted, so the request comes on the loop.
    void WaitForChart() {
        for (int wait = 0; wait == 0 || (wait < 500 && (g_chart.working || g_chart.waiting)); ++wait) {
            RunMessageLoop(20);
        }
    }

    HWND List() const { return GetDlgItem(g_chart.window, IDC_CHART_ROWS); }
    int Rows() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::string Cell(int row, int column) const {
        wchar_t text[128] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return Utf8FromWide(text);
    }
    std::wstring WindowText(HWND of) const {
        wchar_t text[256] = {};
        GetWindowTextW(of, text, 256);
        return text;
    }

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"tandrel chart tests";
};

TEST_F(ChartWindowTest, OpensOnTheMetricChartOfTheLathe) {
    EXPECT_EQ(WindowText(g_chart.window), L"Chart - Metric lathe, 3 mm");
    ASSERT_EQ(Rows(), 24);
    EXPECT_EQ(Cell(0, 0), "0.2 mm");
    EXPECT_TRUE(Cell(0, 6).starts_with("no usable train within 1 %; exact with six gears: ")) << Cell(0, 6);
    EXPECT_EQ(Cell(11, 0), "1 mm");
    EXPECT_EQ(Cell(11, 2), "drivers 20\u00B725 / driven 30\u00B750");
    EXPECT_EQ(Cell(11, 4), "+0.0 ppm");
    EXPECT_EQ(WindowText(GetDlgItem(g_chart.window, IDC_CHART_SUMMARY)),
              L"23 of 24 within 0.1 %; worst 0.0 ppm");
}

TEST_F(ChartWindowTest, EnterOnARowSetsTheMainWindowsThread) {
    SetForegroundWindow(g_chart.window);
    SetFocus(List());
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(), LVM_SETITEMSTATE, 11, reinterpret_cast<LPARAM>(&item));
    PostMessageW(List(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    RunMessageLoop(50);
    EXPECT_EQ(Text(IDC_RATIO), "0.333333333333");
    EXPECT_TRUE(Visible(IDC_THREAD_LINE));
    EXPECT_EQ(Text(IDC_THREAD_LINE).rfind("1 mm on 3 mm leadscrew: lead 1.000000 mm", 0), 0u)
        << Text(IDC_THREAD_LINE);
}

TEST_F(ChartWindowTest, AGearBoxChangeMakesTheRowsAgain) {
    const std::string before = Cell(11, 2);
    Click(GearBoxId(30));
    WaitForChart();
    EXPECT_NE(Cell(11, 2), before);
    EXPECT_EQ(Cell(11, 2).find("30"), std::string::npos);
    EXPECT_EQ(WindowText(g_chart.window), L"Chart - Metric lathe, 3 mm") << "the caption names the lathe";
    // The kind of train is the main window's too.
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_SIMPLE, 0);
    WaitForChart();
    EXPECT_EQ(g_chart.shownRequest.search.train, TrainKind::Simple);
    SendMessageW(window, WM_COMMAND, IDM_TRAIN_ANY, 0);
    WaitForChart();
    EXPECT_EQ(g_chart.shownRequest.search.train, TrainKind::Any);
}

TEST_F(ChartWindowTest, ExportWritesThePageAndTheCsv) {
    const auto read = [](const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    EXPECT_EQ(WriteChartFile((folder / "chart.CSV").wstring()), L"");
    EXPECT_EQ(read(folder / "chart.CSV"), ChartCsv(g_chart.shownRequest, g_chart.shown));
    EXPECT_EQ(WriteChartFile((folder / "chart.html").wstring()), L"");
    const std::string page = read(folder / "chart.html");
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("<h1>Thread chart: Metric lathe, 3 mm</h1>"), std::string::npos);
    EXPECT_NE(WriteChartFile((folder / "no such folder" / "chart.csv").wstring()), L"");
}

// Custom... takes a list of pitches, tells a bad one (the comma separates the
// items, so "1,5mm" is two), and the lathe keeps the list: the main window's
// caption marks the change.
TEST_F(ChartWindowTest, CustomListIsTheLathesOwn) {
    OnNextDialog([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_CHART_CUSTOM_LIST, L"M6, 1/2-13 UNC, 1,5mm");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        wchar_t problem[128] = {};
        GetDlgItemTextW(dialog, IDC_CHART_CUSTOM_PROBLEM, problem, 128);
        EXPECT_EQ(std::wstring(problem).rfind(L"The list holds '1', which has no unit", 0), 0u) << problem;
        SetDlgItemTextW(dialog, IDC_CHART_CUSTOM_LIST, L"M6, 1/2-13 UNC");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    SendDlgItemMessageW(g_chart.window, IDC_CHART_PITCHES, CB_SETCURSEL, 3, 0);
    SendMessageW(g_chart.window, WM_COMMAND, MAKEWPARAM(IDC_CHART_PITCHES, CBN_SELCHANGE), 0);
    EXPECT_FALSE(DialogForcedClosed());
    WaitForChart();
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 0), "1/2-13 UNC (13 TPI)");
    EXPECT_EQ(WindowText(window), L"Tandrel - Metric lathe, 3 mm *");
    ASSERT_EQ(g_lathe.settings.chart.size(), 2u);
    EXPECT_EQ(g_lathe.settings.chart[0].designation, "M6");
}
