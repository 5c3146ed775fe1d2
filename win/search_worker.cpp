#include "search_worker.h"

#include "resource.h"

#include <thread>
#include <utility>

namespace {

// The worker has its own copy of the question; it touches nothing else but
// the window's message queue. When the window is gone, its answers are freed.
void Start(HWND mainWindow, WindowQuestion question, std::uint64_t number) {
    g_search.working = true;
    std::thread([mainWindow, question = std::move(question), number] {
        auto answer = std::make_unique<WindowAnswer>(AnswerOf(question));
        if (PostMessageW(mainWindow, WM_SEARCH_ANSWERED, static_cast<WPARAM>(number),
                         reinterpret_cast<LPARAM>(answer.get()))) {
            answer.release();
        }
    }).detach();
}

} // namespace

WindowAnswer AnswerOf(const WindowQuestion& question) {
    WindowAnswer answer{
        .question = question, .result = RunSearch(question.request), .noTrain = {}, .betterKind = {}};
    if (answer.result.solutions.empty() && question.threadLine) {
        answer.noTrain = FindNearestTrains(question.request, 1);
    }
    if (question.threadLine) {
        answer.betterKind = FindBetterKind(question.request, answer.result.solutions);
    }
    return answer;
}

void AskWorker(HWND mainWindow, const WindowQuestion& question) {
    if (g_search.working) {
        g_search.waiting = question;
    } else {
        Start(mainWindow, question, g_search.requested);
    }
}

std::unique_ptr<WindowAnswer> TakeWorkersAnswer(HWND mainWindow, WPARAM number, LPARAM answer) {
    std::unique_ptr<WindowAnswer> taken(reinterpret_cast<WindowAnswer*>(answer));
    g_search.working = false;
    if (g_search.waiting) {
        Start(mainWindow, std::move(*g_search.waiting), g_search.requested);
        g_search.waiting.reset();
    }
    return static_cast<std::uint64_t>(number) == g_search.requested ? std::move(taken) : nullptr;
}

void DropPostedAnswers(HWND mainWindow) {
    MSG message;
    while (PeekMessageW(&message, mainWindow, WM_SEARCH_ANSWERED, WM_SEARCH_ANSWERED, PM_REMOVE)) {
        delete reinterpret_cast<WindowAnswer*>(message.lParam);
    }
    g_search.working = false;
    g_search.asked.reset();
    g_search.waiting.reset();
}
