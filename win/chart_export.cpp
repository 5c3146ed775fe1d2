#include "chart_export.h"

#include "atomic_save.h"
#include "chart_page.h"
#include "chart_table.h"
#include "file_dialog.h"
#include "open_lathe.h"
#include "program_state.h"
#include "resource.h"
#include "wide_text.h"

#include <shellapi.h>

#include <cwchar>
#include <filesystem>
#include <optional>

namespace {

constexpr wchar_t kFilter[] = L"Web page (*.html)\0*.html\0CSV file (*.csv)\0*.csv\0";

// Today's date where the program runs, "2024-05-01".
std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16] = {};
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

std::string PageText() {
    const std::string name = g_lathe.path.empty() ? std::string() : Utf8FromWide(LatheName());
    return ChartPage(g_chart.shownRequest, g_chart.shown, {name, Today()});
}

void SetStatus(HWND chartWindow, const std::wstring& text) {
    SetDlgItemTextW(chartWindow, IDC_CHART_STATUS, text.c_str());
}

} // namespace

std::wstring WriteChartFile(const std::wstring& path) {
    const bool csv = _wcsicmp(std::filesystem::path(path).extension().c_str(), L".csv") == 0;
    return SaveAtomically(path, csv ? ChartCsv(g_chart.shownRequest, g_chart.shown) : PageText());
}

void ExportChart(HWND chartWindow) {
    const std::optional<std::wstring> path =
        AskForFile(chartWindow, FileDialog::Save, kFilter, L"html", L"Chart");
    if (!path) {
        return;
    }
    const std::wstring problem = WriteChartFile(*path);
    SetStatus(chartWindow, problem.empty() ? L"Saved to " + *path : L"Not saved: " + problem);
}

void PrintChart(HWND chartWindow) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(static_cast<DWORD>(std::size(folder)), folder);
    const std::wstring path = std::wstring(folder) + L"Tandrel chart.html";
    if (const std::wstring problem = SaveAtomically(path, PageText()); !problem.empty()) {
        SetStatus(chartWindow, L"The page could not be written: " + problem);
        return;
    }
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(chartWindow, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    SetStatus(chartWindow, opened > 32 ? L"The page is open in your browser: print it from there (Ctrl+P)."
                                       : L"No browser opened the page; it is at " + path);
}
