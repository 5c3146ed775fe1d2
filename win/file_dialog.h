// The common file dialogs that open and save lathe files and export charts.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

enum class FileDialog { Open, Save };

// The path the user chose in the Open or Save As dialog, owned by `owner`,
// listing the filter's files (pairs of a name and a pattern, each ended by a
// null character) and adding defaultExtension to a name without one; the
// dialog starts with `suggested`. None when the dialog is cancelled. Saving
// over a file asks first; opening takes only a file that exists.
std::optional<std::wstring> AskForFile(HWND owner, FileDialog kind, const wchar_t* filter,
                                       const wchar_t* defaultExtension, const std::wstring& suggested);
