#include "atomic_save.h"

#include <windows.h>

namespace {

// The system's message for the last error, without its line break.
std::wstring LastErrorText() {
    const DWORD error = GetLastError();
    wchar_t text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                   static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring message = text;
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message.empty() ? L"error " + std::to_wstring(error) : message;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
}

bool WriteWhole(const wchar_t* path, std::string_view bytes) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size() && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return whole;
}

} // namespace

std::wstring SaveAtomically(const std::wstring& path, std::string_view bytes) {
    wchar_t temporary[MAX_PATH] = {};
    if (GetTempFileNameW(FolderOf(path).c_str(), L"tdl", 0, temporary) == 0) {
        return LastErrorText();
    }
    if (!WriteWhole(temporary, bytes) ||
        !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        std::wstring problem = LastErrorText();
        DeleteFileW(temporary);
        return problem;
    }
    return {};
}
