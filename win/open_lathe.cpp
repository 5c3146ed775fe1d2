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

Lathe WindowLathe() {
    Lathe lathe = g_lathe.settings;
    lathe.stock = BoxStock();
    return lathe;
}

void ShowLathe(HWND mainWindow, const Lathe& lathe) {
    ShowStock(mainWindow, lathe.stock);
    if (g_threadLine.thread && !CutsOn(*g_threadLine.thread, lathe)) {
        g_threadLine.ratioText.clear();
    }
    g_lathe.settings = lathe;
    if (lathe.fitMargin) {
        g_lathe.margin = *lathe.fitMargin;
    }
}

bool LatheDiffersFromFile() {
    return !g_lathe.path.empty() && !(WindowLathe() == g_lathe.file);
}

std::wstring LatheName() {
    return g_lathe.file.name.empty() ? std::filesystem::path(g_lathe.path).stem().wstring()
                                     : WideFromUtf8(g_lathe.file.name);
}

void LatheChanged(HWND mainWindow) {
    std::wstring caption = g_windowTitle;
    if (!g_lathe.path.empty()) {
        caption += L" - ";
        caption += LatheName();
        if (LatheDiffersFromFile()) {
            caption += L" *";
        }
    }
    wchar_t shown[512] = {};
    GetWindowTextW(mainWindow, shown, static_cast<int>(std::size(shown)));
    if (caption != shown) {
        SetWindowTextW(mainWindow, caption.c_str());
    }
    if (g_chart.window != nullptr) {
        PostMessageW(g_chart.window, WM_CHART_FOLLOW, 0, 0);
    }
}
