#include "chart_worker.h"

#include "program_state.h"
#include "resource.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// When the main window last worked on the user's input (HoldChartForInput).
std::atomic<Clock::rep> lastInput{0};

// A worker waits before each row until the main window has had no input for
// 25 ms: on a machine of few cores a keystroke then has them to itself, and
// the chart waits at most one row's search for it.
void WaitForQuietInput() {
    constexpr auto kQuiet = std::chrono::milliseconds(25);
    while (Clock::now() - Clock::time_point(Clock::duration(lastInput.load())) < kQuiet) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// The worker has its own copy of the request; it touches nothing else but the
// window's message queue. When the window is gone, its chart is freed.
void Start(HWND chartWindow, ChartRequest request, std::uint64_t number) {
    g_chart.working = true;
    std::thread([chartWindow, request = std::move(request), number] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); // the user interface comes first
        auto made = std::make_unique<MadeChart>(MadeChart{request, MakeChart(request, WaitForQuietInput)});
        if (PostMessageW(chartWindow, WM_CHART_MADE, static_cast<WPARAM>(number),
                         reinterpret_cast<LPARAM>(made.get()))) {
            made.release();
        }
    }).detach();
}

} // namespace

void RequestChart(HWND chartWindow, const ChartRequest& request) {
    ++g_chart.requested;
    if (g_chart.working) {
        g_chart.waiting = request;
    } else {
        Start(chartWindow, request, g_chart.requested);
    }
}

std::unique_ptr<MadeChart> TakeChart(HWND chartWindow, WPARAM number, LPARAM chart) {
    std::unique_ptr<MadeChart> made(reinterpret_cast<MadeChart*>(chart));
    g_chart.working = false;
    if (g_chart.waiting) {
        Start(chartWindow, std::move(*g_chart.waiting), g_chart.requested);
        g_chart.waiting.reset();
    }
    return static_cast<std::uint64_t>(number) == g_chart.requested ? std::move(made) : nullptr;
}

void DropPostedCharts(HWND chartWindow) {
    MSG message;
    while (PeekMessageW(&message, chartWindow, WM_CHART_MADE, WM_CHART_MADE, PM_REMOVE)) {
        delete reinterpret_cast<MadeChart*>(message.lParam);
    }
    g_chart.working = false;
    g_chart.waiting.reset();
}

void HoldChartForInput() {
    lastInput = Clock::now().time_since_epoch().count();
}
