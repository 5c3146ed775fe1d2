// Writing a file so that it is always whole: either the old one or the new one.
#pragma once

#include <string>
#include <string_view>

// Writes the bytes to a temporary file in the path's folder, flushes it to the
// disk, then moves it over the file at path in one step. On failure the file
// at path is left as it was, the temporary file is removed, and the system's
// message says what went wrong; an empty text means the file was written.
std::wstring SaveAtomically(const std::wstring& path, std::string_view bytes);
