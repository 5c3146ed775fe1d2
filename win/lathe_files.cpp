#include "lathe_files.h"

#include "atomic_save.h"
#include "file_dialog.h"
#include "load_lathe.h"
#include "open_lathe.h"
#include "program_state.h"
#include "recalculate.h"
#include "recent_lathes.h"
#include "resource.h"
#include "show_solution.h"
#include "wide_text.h"

#include <filesystem>
#include <optional>

namespace {

constexpr wchar_t kFilter[] = L"Tandrel lathes (*.tandrel)\0*.tandrel\0";

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return length == 0 || length >= std::size(full) ? path : std::wstring(full, length);
}

// Writes the window's lathe under the name; a failure is told and leaves the file as it was.
bool SaveLathe(HWND mainWindow, const std::wstring& path, const std::string& name) {
    Lathe lathe = WindowLathe();
    lathe.name = name;
    if (const std::wstring problem = SaveAtomically(path, LatheText(lathe)); !problem.empty()) {
        const std::wstring message = L"The lathe could not be saved to " + path + L":\n" + problem +
                                     L"\n\nThe file on the disk is as it was.";
        MessageBoxW(mainWindow, message.c_str(), g_windowTitle, MB_OK | MB_ICONWARNING);
        return false;
    }
    g_lathe.path = FullPath(path);
    g_lathe.settings = g_lathe.file = lathe; // the file's name is the window's lathe's now
    RememberRecentLathe(mainWindow, g_lathe.path);
    LatheChanged(mainWindow);
    return true;
}

void OpenLatheFile(HWND mainWindow, const std::wstring& path) {
    if (const LatheProblem problem = TakeLatheFile(mainWindow, path); !problem.what.empty()) {
        if (problem.gone) {
            ForgetRecentLathe(mainWindow, path);
        }
        ReportBadLathe(mainWindow, path, problem);
        return;
    }
    Recalculate(mainWindow);
}

} // namespace

LatheProblem TakeLatheFile(HWND mainWindow, const std::wstring& path) {
    Lathe lathe;
    if (LatheProblem problem = LoadLathe(std::filesystem::path(path), lathe); !problem.what.empty()) {
        return problem;
    }
    ShowLathe(mainWindow, lathe);
    g_lathe.path = FullPath(path);
    g_lathe.file = lathe;
    ShowModes(mainWindow); // its banjo, before any recalculation
    RememberRecentLathe(mainWindow, g_lathe.path);
    LatheChanged(mainWindow);
    return {};
}

void ReportBadLathe(HWND mainWindow, const std::wstring& path, const LatheProblem& problem) {
    const std::wstring message = L"This lathe file cannot be opened:\n\n" +
                                 WideFromUtf8(DescribeLatheProblem(Utf8FromWide(path), problem));
    MessageBoxW(mainWindow, message.c_str(), g_windowTitle, MB_OK | MB_ICONWARNING);
}

void OpenLastLathe(HWND mainWindow) {
    const std::wstring path = g_lathe.recent.front();
    const LatheProblem problem = TakeLatheFile(mainWindow, path);
    if (problem.what.empty()) {
        return;
    }
    if (problem.gone) {
        ForgetRecentLathe(mainWindow, path);
    }
    const std::wstring notice = L"The lathe last opened could not be opened: " +
                                WideFromUtf8(DescribeLatheProblem(Utf8FromWide(path), problem)) +
                                (problem.gone ? L"; it is dropped from the recent lathes." : L".") +
                                L" Tandrel started with the default gear set.";
    SetDlgItemTextW(mainWindow, IDC_THREAD_LINE, notice.c_str());
    ShowWindow(GetDlgItem(mainWindow, IDC_THREAD_LINE), SW_SHOW);
}

void OpenLatheCommand(HWND mainWindow) {
    if (!OfferToSave(mainWindow)) {
        return;
    }
    if (const std::optional<std::wstring> path =
            AskForFile(mainWindow, FileDialog::Open, kFilter, L"tandrel", L"")) {
        OpenLatheFile(mainWindow, *path);
    }
}

void SaveLatheCommand(HWND mainWindow) {
    if (g_lathe.path.empty()) {
        SaveLatheAsCommand(mainWindow);
    } else {
        SaveLathe(mainWindow, g_lathe.path, g_lathe.file.name);
    }
}

// The lathe takes the name of its new file; saved over its own file, it keeps its name.
void SaveLatheAsCommand(HWND mainWindow) {
    const std::optional<std::wstring> path =
        AskForFile(mainWindow, FileDialog::Save, kFilter, L"tandrel", g_lathe.path);
    if (!path) {
        return;
    }
    const bool ownFile =
        !g_lathe.path.empty() &&
        CompareStringOrdinal(FullPath(*path).c_str(), -1, g_lathe.path.c_str(), -1, TRUE) == CSTR_EQUAL;
    SaveLathe(mainWindow, *path,
              ownFile ? g_lathe.file.name : Utf8FromWide(std::filesystem::path(*path).stem().wstring()));
}

void OpenRecentLathe(HWND mainWindow, std::size_t index) {
    if (index >= g_lathe.recent.size() || !OfferToSave(mainWindow)) {
        return;
    }
    const std::wstring path = g_lathe.recent[index]; // opening reorders the list
    OpenLatheFile(mainWindow, path);
}

bool OfferToSave(HWND mainWindow) {
    if (!LatheDiffersFromFile()) {
        return true;
    }
    const std::wstring question = L"Save changes to " + LatheName() + L"?";
    switch (MessageBoxW(mainWindow, question.c_str(), g_windowTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return SaveLathe(mainWindow, g_lathe.path, g_lathe.file.name);
    case IDNO:
        return true;
    default:
        return false;
    }
}
