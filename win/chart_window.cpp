#include "chart_window.h"

#include "chart_custom.h"
#include "chart_export.h"
#include "chart_table.h"
#include "chart_worker.h"
#include "open_lathe.h"
#include "program_state.h"
#include "request.h"
#include "resource.h"
#include "thread_dialog.h"
#include "train_modes.h"
#include "wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

// The drop-down's lists, in its order: their places are g_chart.list's values.
constexpr std::array<const wchar_t*, 4> kLists = {L"Metric (ISO)", L"Imperial (TPI)", L"Module",
                                                  L"Custom\u2026"};
constexpr int kImperial = 1;
constexpr int kModule = 2;
constexpr int kCustom = 3;

std::vector<Pitch> PitchesOf(int list) {
    switch (list) {
    case kImperial:
        return ImperialPitches();
    case kModule:
        return ModulePitches();
    case kCustom:
        return g_lathe.settings.chart;
    default:
        return MetricPitches();
    }
}

void ShowChartCaption(HWND chartWindow) {
    std::wstring caption = L"Chart";
    if (!g_lathe.path.empty()) {
        caption += L" - " + LatheName();
    }
    wchar_t shown[512] = {};
    GetWindowTextW(chartWindow, shown, static_cast<int>(std::size(shown)));
    if (caption != shown) {
        SetWindowTextW(chartWindow, caption.c_str());
    }
}

// Set only when it changes, so that a chart made again with the same rows repaints nothing.
void SetSummary(HWND chartWindow, const std::wstring& text) {
    wchar_t shown[256] = {};
    GetDlgItemTextW(chartWindow, IDC_CHART_SUMMARY, shown, static_cast<int>(std::size(shown)));
    if (text != shown) {
        SetDlgItemTextW(chartWindow, IDC_CHART_SUMMARY, text.c_str());
    }
}

// The rows of the list chosen, asked of the worker; the list keeps the rows it
// shows until the new ones come.
void AskForRows(HWND chartWindow) {
    const std::optional<ChartRequest> request = LatheChart(
        WindowLathe(), PitchesOf(g_chart.list), TrainKindChecked(GetWindow(chartWindow, GW_OWNER)));
    if (!request) {
        ++g_chart.requested; // a chart still being made is no longer wanted
        g_chart.shown = {};
        SendDlgItemMessageW(chartWindow, IDC_CHART_ROWS, LVM_DELETEALLITEMS, 0, 0);
        SetSummary(chartWindow, L"No leadscrew yet: give it in Tools \u2192 Thread\u2026, or open a lathe.");
        return;
    }
    RequestChart(chartWindow, *request);
}

void SetColumns(HWND list, const std::vector<std::string>& headers) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    for (int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); count > 0; --count) {
        SendMessageW(list, LVM_DELETECOLUMN, 0, 0);
    }
    for (std::size_t i = 0; i < headers.size(); ++i) {
        std::wstring text = WideFromUtf8(headers[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text.data();
        column.cx = 60;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

// A new row is inserted with its first cell.
void SetCell(HWND list, int row, int column, const std::string& text, bool newRow) {
    std::wstring wide = WideFromUtf8(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, newRow && column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

// The new table over the one shown: only what changed reaches the list, so
// that a chart made again with the same rows costs the window nothing. The
// columns are made again when the headers change, a cell's text is set when
// it differs, and a column takes its width again when one of its cells changed.
void ShowRows(HWND chartWindow, const ChartTable& shown, const ChartTable& table) {
    HWND list = GetDlgItem(chartWindow, IDC_CHART_ROWS);
    const bool sameColumns = shown.headers == table.headers;
    if (!sameColumns) {
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        SetColumns(list, table.headers);
    }
    const std::size_t kept = sameColumns ? std::min(shown.lines.size(), table.lines.size()) : 0;
    for (std::size_t row = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); row > kept; --row) {
        SendMessageW(list, LVM_DELETEITEM, row - 1, 0);
    }
    std::vector<bool> changed(table.headers.size(), !sameColumns);
    for (std::size_t row = 0; row < table.lines.size(); ++row) {
        const std::vector<std::string>& cells = table.lines[row].cells;
        for (std::size_t column = 0; column < cells.size(); ++column) {
            if (row < kept && shown.lines[row].cells[column] == cells[column]) {
                continue;
            }
            SetCell(list, static_cast<int>(row), static_cast<int>(column), cells[column], row >= kept);
            changed[column] = true;
        }
    }
    for (std::size_t column = 0; column < changed.size(); ++column) {
        if (changed[column]) {
            SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
        }
    }
    SetSummary(chartWindow, WideFromUtf8(ChartSummary(g_chart.shownRequest, g_chart.shown)));
}

LRESULT OnChartMade(HWND chartWindow, WPARAM number, LPARAM made) {
    if (std::unique_ptr<MadeChart> chart = TakeChart(chartWindow, number, made)) {
        const ChartTable shown = MakeChartTable(g_chart.shownRequest, g_chart.shown);
        g_chart.shownRequest = std::move(chart->request);
        g_chart.shown = std::move(chart->chart);
        ShowRows(chartWindow, shown, MakeChartTable(g_chart.shownRequest, g_chart.shown));
    }
    return TRUE;
}

// The main window takes the row's thread as the thread dialog's OK gives it, and comes forward.
void ActivateRow(HWND chartWindow, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= g_chart.shown.rows.size()) {
        return;
    }
    HWND mainWindow = GetWindow(chartWindow, GW_OWNER);
    SetThread(mainWindow, g_chart.shown.rows[static_cast<std::size_t>(row)].thread);
    SetForegroundWindow(mainWindow);
    SetActiveWindow(mainWindow);
}

int SelectedRow(HWND chartWindow) {
    return static_cast<int>(SendDlgItemMessageW(chartWindow, IDC_CHART_ROWS, LVM_GETNEXTITEM,
                                                static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// Custom... asks for the list; Cancel leaves the list that was chosen.
void OnListChosen(HWND chartWindow) {
    const auto chosen =
        static_cast<int>(SendDlgItemMessageW(chartWindow, IDC_CHART_PITCHES, CB_GETCURSEL, 0, 0));
    if (chosen == kCustom && !AskForCustomPitches(chartWindow)) {
        SendDlgItemMessageW(chartWindow, IDC_CHART_PITCHES, CB_SETCURSEL, static_cast<WPARAM>(g_chart.list),
                            0);
        return;
    }
    g_chart.list = chosen;
    if (chosen == kCustom) {
        LatheChanged(GetWindow(chartWindow, GW_OWNER)); // the lathe's own list has changed: the chart follows
    } else {
        AskForRows(chartWindow);
    }
}

// The controls keep their distances from the window's edges: the list grows
// with it, the buttons and the status text stay at its foot.
void Layout(HWND chartWindow) {
    RECT client;
    GetClientRect(chartWindow, &client);
    RECT units = {7, 14, 50, 24}; // margin, button height, button width, the list's top
    MapDialogRect(chartWindow, &units);
    const int margin = units.left;
    const int height = units.top;
    const int width = units.right;
    const int bottom = client.bottom - margin - height;
    const auto place = [&](int id, int x, int y, int w, int h) {
        SetWindowPos(GetDlgItem(chartWindow, id), nullptr, x, y, std::max(w, 0), std::max(h, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    RECT summary;
    GetWindowRect(GetDlgItem(chartWindow, IDC_CHART_SUMMARY), &summary);
    MapWindowPoints(nullptr, chartWindow, reinterpret_cast<POINT*>(&summary), 2);
    place(IDC_CHART_SUMMARY, summary.left, summary.top, client.right - margin - summary.left,
          summary.bottom - summary.top);
    place(IDC_CHART_ROWS, margin, units.bottom, client.right - 2 * margin, bottom - margin - units.bottom);
    int x = client.right - margin - width;
    for (int id : {IDCANCEL, IDC_CHART_PRINT, IDC_CHART_EXPORT}) {
        place(id, x, bottom, width, height);
        x -= width + margin;
    }
    place(IDC_CHART_STATUS, margin, bottom, x + width, height + margin);
}

// Beside the main window, on its right where the screen has room, otherwise
// as far right as the screen allows.
void PlaceBesideMainWindow(HWND chartWindow) {
    RECT main;
    RECT own;
    GetWindowRect(GetWindow(chartWindow, GW_OWNER), &main);
    GetWindowRect(chartWindow, &own);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(chartWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const int width = own.right - own.left;
    const int x = std::max(monitor.rcWork.left, std::min(main.right + 8, monitor.rcWork.right - width));
    SetWindowPos(chartWindow, nullptr, x, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR OnInitDialog(HWND chartWindow) {
    for (const wchar_t* name : kLists) {
        SendDlgItemMessageW(chartWindow, IDC_CHART_PITCHES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    g_chart.list = 0;
    SendDlgItemMessageW(chartWindow, IDC_CHART_PITCHES, CB_SETCURSEL, 0, 0);
    // The list starts as the table of no chart shows, which ShowRows then changes.
    g_chart.shownRequest = {};
    g_chart.shown = {};
    SetColumns(GetDlgItem(chartWindow, IDC_CHART_ROWS),
               MakeChartTable(g_chart.shownRequest, g_chart.shown).headers);
    SendDlgItemMessageW(chartWindow, IDC_CHART_ROWS, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                        LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    ShowChartCaption(chartWindow);
    PlaceBesideMainWindow(chartWindow);
    Layout(chartWindow);
    AskForRows(chartWindow);
    return TRUE;
}

INT_PTR OnCommand(HWND chartWindow, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_CHART_PITCHES:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            OnListChosen(chartWindow);
        }
        return TRUE;
    case IDC_CHART_EXPORT:
        ExportChart(chartWindow);
        return TRUE;
    case IDC_CHART_PRINT:
        PrintChart(chartWindow);
        return TRUE;
    case IDOK: // Enter: on the list, its selected row
        if (GetFocus() == GetDlgItem(chartWindow, IDC_CHART_ROWS)) {
            ActivateRow(chartWindow, SelectedRow(chartWindow));
        }
        return TRUE;
    case IDCANCEL: // Close, Escape or the caption's close button
        DestroyWindow(chartWindow);
        return TRUE;
    default:
        return FALSE;
    }
}

// A double click on a row, or Enter where the list takes it itself.
INT_PTR OnNotify(HWND chartWindow, const NMHDR& header) {
    if (header.idFrom == IDC_CHART_ROWS && header.code == LVN_ITEMACTIVATE) {
        ActivateRow(chartWindow, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    }
    return TRUE;
}

INT_PTR OnMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = {480, 260};
    return TRUE;
}

INT_PTR OnFollowLathe(HWND chartWindow) {
    ShowChartCaption(chartWindow);
    AskForRows(chartWindow);
    return TRUE;
}

INT_PTR OnDestroy(HWND chartWindow) {
    DropPostedCharts(chartWindow);
    g_chart.window = nullptr;
    return TRUE;
}

INT_PTR CALLBACK ChartWindowProc(HWND chartWindow, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(chartWindow);
    case WM_SIZE:
        Layout(chartWindow);
        return TRUE;
    case WM_GETMINMAXINFO:
        return OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_COMMAND:
        return OnCommand(chartWindow, wParam);
    case WM_NOTIFY:
        return OnNotify(chartWindow, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CHART_MADE:
        return OnChartMade(chartWindow, wParam, lParam);
    case WM_CHART_FOLLOW:
        return OnFollowLathe(chartWindow);
    case WM_DESTROY:
        return OnDestroy(chartWindow);
    default:
        return FALSE;
    }
}

} // namespace

void OpenChartWindow(HWND mainWindow) {
    if (g_chart.window == nullptr) {
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        g_chart.window =
            CreateDialogParamW(g_instance, MAKEINTRESOURCEW(IDD_CHART), mainWindow, ChartWindowProc, 0);
    }
    ShowWindow(g_chart.window, SW_SHOW);
    SetActiveWindow(g_chart.window);
}
