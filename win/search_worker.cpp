#include "search_worker.h"

#include "resource.h"

#include <system_error>
#include <thread>
#include <utility>

namespace {

// The worker has its own copy of the question; it touches nothing else but
// the window's message queue. When the window is gone, its answers are freed.
// False when no thread could be started.
bool Start(HWND mainWindow, WindowQuestion question, std::uint64_t number) {
    try {
        std::thread([mainWindow, question = std::move(question), number] {
            auto answer = std::make_unique<WindowAnswer>(AnswerOf(question));
            if (PostMessageW(mainWindow, WM_SEARCH_ANSWERED, static_cast<WPARAM>(number),
                             reinterpret_cast<LPARAM>(answer.get()))) {
                answer.release();
            }
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    g_search.working = true;
    return true;
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

bool AskWorker(HWND mainWindow, const WindowQuestion& question) {
    if (g_search.working) {
        g_search.waiting = question;
        return true;
    }
    return Start(mainWindow, question, g_search.requested);
}

std::unique_ptr<WindowAnswer> TakeWorkersAnswer(HWND mainWindow, WPARAM number, LPARAM answer) {
    std::unique_ptr<WindowAnswer> taken(reinterpret_cast<WindowAnswer*>(answer));
    g_search.working = false;
    if (g_search.waiting) {
        const WindowQuestion waiting = std::move(*g_search.waiting);
        g_search.waiting.reset();
        if (!Start(mainWindow, waiting, g_search.requested)) { // answered here, then, rather than never
            return std::make_unique<WindowAnswer>(AnswerOf(waiting));
        }
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
