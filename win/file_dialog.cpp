#include "file_dialog.h"

#include <commdlg.h>

#include <algorithm>

std::optional<std::wstring> AskForFile(HWND owner, FileDialog kind, const wchar_t* filter,
                                       const wchar_t* defaultExtension, const std::wstring& suggested) {
    wchar_t path[MAX_PATH * 4] = {};
    suggested.copy(path, std::min(suggested.size(), std::size(path) - 1));
    const bool save = kind == FileDialog::Save;
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(std::size(path));
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? std::optional<std::wstring>(path) : std::nullopt;
}
