// Times one keystroke's work in the real main window with all 150 gear boxes
// checked: the character and its key release reach the ratio field (two
// recalculations), then the window repaints (UpdateWindow). Where the search
// runs on the worker, the keystroke ends there, and the answer shows when the
// worker posts it: that time, from the key to the answer painted, is given
// too (the same as the keystroke's where the search runs on the window's
// thread). Wine's own floor is the same keys sent to a plain edit control
// beside the ratio field, which recalculates nothing, and its repaint. Prints
// the medians and spread over alternating digit and backspace keystrokes.
//
//   keystroke_timing.exe [keystrokes] [modes...]    (default 200)
//
// Modes: "every" (Tools, Every train checked), "fit" (only trains that fit),
// "banjo" (a lathe's banjo for gears of module 1: the fit by its geometry and
// the train drawn to scale), "simple" or "six" (Tools, Train), "chart" (the
// chart window open on the imperial chart, 32 rows). With the chart every
// digit follows a click on a gear box, so that it meets the chart being made
// again, and every backspace waits until the chart is made: both are posted
// and timed until the queue is empty, whatever else it holds, such as the
// chart's rows arriving, and the medians of both are given, measured under
// the same load of the machine.
#include "gear_box_id.h"
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

// A keystroke sent straight to a control's procedure: down, its character, up.
void SendKey(HWND control, WPARAM key, WPARAM character) {
    SendMessageW(control, WM_KEYDOWN, key, 0x00000001);
    SendMessageW(control, WM_CHAR, character, 0x00000001);
    SendMessageW(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Until the worker's answer to the last keystroke is shown, at most 10 s.
void WaitForAnswer() {
    for (int wait = 0; g_search.asked && wait < 1000; ++wait) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        Pump();
    }
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
    const bool chart = mode("chart");
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
    if (mode("fit")) {
        g_lathe.settings.fitMargin = g_lathe.margin;
    }
    if (mode("banjo")) {
        g_lathe.settings.banjo = Banjo{1, 120, 40, 140, 3, std::nullopt, std::nullopt};
    }
    modes += g_lathe.settings.fitMargin ? " fit" : "";
    modes += g_lathe.settings.banjo ? " banjo" : "";
    modes += chart ? " chart" : "";
    Recalculate(window);
    if (chart) {
        g_lathe.settings.leadscrew = Pitch{8, PitchUnit::Tpi};
        SendMessageW(window, WM_COMMAND, IDM_CHART, 0);
        SendDlgItemMessageW(g_chart.window, IDC_CHART_PITCHES, CB_SETCURSEL, 1, 0);
        SendMessageW(g_chart.window, WM_COMMAND, MAKEWPARAM(IDC_CHART_PITCHES, CBN_SELCHANGE), 0);
    }
    HWND field = GetDlgItem(window, IDC_RATIO);
    SetWindowTextA(field, "1.23");
    SendMessageW(field, EM_SETSEL, 4, 4);
    HWND plain = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "1.23", WS_CHILD | WS_VISIBLE, 55, 5, 155, 24,
                                 window, nullptr, instance, nullptr);
    SendMessageW(plain, WM_SETFONT, static_cast<WPARAM>(SendMessageW(field, WM_GETFONT, 0, 0)), TRUE);
    SendMessageW(plain, EM_SETSEL, 4, 4);
    Pump();

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    std::vector<double> answers; // from the key to the answer shown
    std::vector<double> floor;   // the same keys into the plain edit control
    std::vector<double> busy;    // chart: the digits, with the chart being made
    std::vector<double> idle;    // chart: the backspaces, with the chart made
    std::size_t solutions = 0;
    for (int k = 0; k < keystrokes; ++k) {
        // Digits 1..9 and backspaces in turn: the text goes 1.23 -> 1.23d -> 1.23.
        const WPARAM key = k % 2 == 0 ? static_cast<WPARAM>('1' + (k / 2) % 9) : VK_BACK;
        const WPARAM character = k % 2 == 0 ? key : '\b';
        LARGE_INTEGER start, end;
        if (chart) {
            if (k % 2 == 0) {
                SendDlgItemMessageW(window, GearBoxId(16), BM_CLICK, 0, 0);
                Pump(); // the click's repaint, and the chart asked for again
                Sleep(static_cast<DWORD>(k / 2 % 5) * 20); // the chart's worker is at another stage each time
            }
            for (int wait = 0; k % 2 == 1 && (g_chart.working || g_chart.waiting) && wait < 1000; ++wait) {
                Sleep(5);
                Pump();
            }
            QueryPerformanceCounter(&start);
            // The loop's TranslateMessage makes the character of the key, as the program's loop does.
            PostMessageW(field, WM_KEYDOWN, key, 0x00000001);
            PostMessageW(field, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
            Pump();
            char typed[32] = {};
            GetWindowTextA(field, typed, sizeof typed);
            if (std::strlen(typed) != (k % 2 == 0 ? 5u : 4u)) {
                std::fprintf(stderr, "keystroke %d left \"%s\" in the field\n", k, typed);
                return 1;
            }
        } else {
            QueryPerformanceCounter(&start);
            SendKey(field, key, character);
        }
        UpdateWindow(window);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end, frequency));
        (k % 2 == 0 ? busy : idle).push_back(times.back());
        WaitForAnswer();
        UpdateWindow(window);
        QueryPerformanceCounter(&end);
        answers.push_back(Milliseconds(start, end, frequency));
        solutions += g_solutionList.size();
        Pump();
        QueryPerformanceCounter(&start);
        SendKey(plain, key, character);
        UpdateWindow(window);
        QueryPerformanceCounter(&end);
        floor.push_back(Milliseconds(start, end, frequency));
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
    for (int wait = 0; chart && g_chart.working && wait < 500; ++wait) {
        Sleep(10);
        Pump();
    }
    if (chart) {
        std::printf("with the chart window: %u charts asked for, the last one shown with %zu rows\n",
                    static_cast<unsigned>(g_chart.requested), g_chart.shown.rows.size());
        std::printf("median ms: %.3f while the chart is made, %.3f after it is made, %.3f more\n",
                    Percentile(busy, 0.5), Percentile(idle, 0.5),
                    Percentile(busy, 0.5) - Percentile(idle, 0.5));
    }
    std::printf(
        "per keystroke (2 recalculations + repaint), ms: median %.3f  mean %.3f  p90 %.3f  max %.3f\n",
        Percentile(times, 0.5), sum / keystrokes, Percentile(times, 0.9), Percentile(times, 1.0));
    std::printf("answer shown, from the key, ms: median %.3f  p90 %.3f\n", Percentile(answers, 0.5),
                Percentile(answers, 0.9));
    std::printf("Wine's floor (a plain edit control), ms: median %.3f  p90 %.3f\n", Percentile(floor, 0.5),
                Percentile(floor, 0.9));
    DestroyWindow(window);
    return 0;
}
