// Times one keystroke's work in the real main window with all 150 gear boxes
// checked: the character and its key release reach the ratio field (two
// recalculations), then the window repaints (UpdateWindow). Prints the median
// and spread over alternating digit and backspace keystrokes.
//
//   keystroke_timing.exe [keystrokes] [modes...]    (default 200)
//
// Modes: "every" (Tools, Every train checked), "fit" (only trains that fit),
// "banjo" (a lathe's banjo for gears of module 1: the fit by its geometry and
// the train drawn to scale), "simple" or "six" (Tools, Train).
#include "main_window.h"
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "window_setup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char** argv) {
    const int keystrokes = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    const auto mode = [&](const char* name) {
        return std::any_of(argv + std::min(argc, 2), argv + argc,
                           [&](const char* a) { return std::strcmp(a, name) == 0; });
    };
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterMainWindowClass(instance);
    const std::wstring commandLine = L"keystroke_timing.exe " + std::wstring(150, L'1');
    HWND window = SetUpWindow(instance, SW_SHOW, commandLine);
    if (window == nullptr) {
        std::fprintf(stderr, "the main window cannot be created\n");
        return 1;
    }
    std::string modes;
    for (const auto& [name, command] :
         {std::pair{"every", IDM_EVERY_TRAIN}, {"simple", IDM_TRAIN_SIMPLE}, {"six", IDM_TRAIN_SIX}}) {
        if (mode(name)) {
            SendMessageW(window, WM_COMMAND, command, 0);
            modes += std::string(" ") + name;
        }
    }
    g_onlyFittingTrains = mode("fit");
    if (mode("banjo")) {
        g_fileLathe.banjo = Banjo{1, 120, 40, 140, 3, std::nullopt, std::nullopt};
    }
    modes += g_onlyFittingTrains ? " fit" : "";
    modes += g_fileLathe.banjo ? " banjo" : "";
    Recalculate(window);
    HWND field = GetDlgItem(window, IDC_RATIO);
    SetWindowTextA(field, "1.23");
    SendMessageW(field, EM_SETSEL, 4, 4);
    Pump();

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    std::size_t solutions = 0;
    for (int k = 0; k < keystrokes; ++k) {
        // Digits 1..9 and backspaces in turn: the text goes 1.23 -> 1.23d -> 1.23.
        const WPARAM key = k % 2 == 0 ? static_cast<WPARAM>('1' + (k / 2) % 9) : VK_BACK;
        const WPARAM character = k % 2 == 0 ? key : '\b';
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        SendMessageW(field, WM_KEYDOWN, key, 0x00000001);
        SendMessageW(field, WM_CHAR, character, 0x00000001);
        SendMessageW(field, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        UpdateWindow(window);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end, frequency));
        solutions += g_solutionList.size();
        Pump();
    }
    char text[32] = {};
    GetWindowTextA(field, text, sizeof text);

    double sum = 0;
    for (double t : times) {
        sum += t;
    }
    std::printf("keystrokes: %d with 150 gear boxes checked, modes:%s (final text \"%s\", %.1f solutions on "
                "average)\n",
                keystrokes, modes.empty() ? " none" : modes.c_str(), text,
                static_cast<double>(solutions) / keystrokes);
    std::printf(
        "per keystroke (2 recalculations + repaint), ms: median %.3f  mean %.3f  p90 %.3f  max %.3f\n",
        Percentile(times, 0.5), sum / keystrokes, Percentile(times, 0.9), Percentile(times, 1.0));
    DestroyWindow(window);
    return 0;
}
