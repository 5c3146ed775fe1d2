#include "open_lathe.h"

#include "gear_boxes.h"
#include "program_state.h"
#include "resource.h"
#include "wide_text.h"

#include <filesystem>

namespace {

// Whether the thread's ratio cuts it on the lathe as well: the same leadscrew and fixed ratio.
bool CutsOn(const Thread& thread, const Lathe& lathe) {
    return lathe.leadscrew && lathe.leadscrew->value == thread.leadscrew.value &&
           lathe.leadscrew->unit == thread.leadscrew.unit && lathe.fixed == thread.fixed;
}

} // namespace

// The banjo is the open file's: the window has no way to change it.
Lathe WindowLathe() {
    return {g_fileLathe.name,   BoxStock(),        g_leadscrew,    g_fixedRatio,
            FitMarginInForce(), g_fileLathe.banjo, g_fileLathe.dp, g_chartPitches};
}

void ShowLathe(HWND mainWindow, const Lathe& lathe) {
    ShowStock(mainWindow, lathe.stock);
    g_leadscrew = lathe.leadscrew;
    g_fixedRatio = lathe.fixed;
    if (g_thread && !CutsOn(*g_thread, lathe)) {
        g_threadRatioText.clear();
    }
    g_chartPitches = lathe.chart;
    g_onlyFittingTrains = lathe.fitMargin.has_value();
    if (lathe.fitMargin) {
        g_fitMargin = *lathe.fitMargin;
    }
}

bool LatheChanged() {
    return !g_lathePath.empty() && !(WindowLathe() == g_fileLathe);
}

std::wstring LatheName() {
    return g_fileLathe.name.empty() ? std::filesystem::path(g_lathePath).stem().wstring()
                                    : WideFromUtf8(g_fileLathe.name);
}

void ShowCaption(HWND mainWindow) {
    std::wstring caption = g_windowTitle;
    if (!g_lathePath.empty()) {
        caption += L" - ";
        caption += LatheName();
        if (LatheChanged()) {
            caption += L" *";
        }
    }
    wchar_t shown[512] = {};
    GetWindowTextW(mainWindow, shown, static_cast<int>(std::size(shown)));
    if (caption != shown) {
        SetWindowTextW(mainWindow, caption.c_str());
    }
    if (g_chartWindow != nullptr) {
        PostMessageW(g_chartWindow, WM_CHART_FOLLOW, 0, 0);
    }
}
