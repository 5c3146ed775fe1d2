#include "load_lathe.h"

#include <fstream>
#include <string>
#include <system_error>

LatheProblem LoadLathe(const std::filesystem::path& path, Lathe& lathe) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (error) {
            return {0, "cannot be read"};
        }
        const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
        return std::filesystem::is_directory(folder, error)
                   ? LatheProblem{0, "does not exist", true}
                   : LatheProblem{0, "does not exist, nor does its folder"};
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        return {0, "is not a file"};
    }
    std::ifstream file(path, std::ios::binary);
    std::string text(kMaxLatheFileSize + 1, '\0'); // one byte more tells a file that is too large
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file.is_open() || file.bad()) {
        return {0, "cannot be read"};
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    return ReadLathe(text, lathe);
}
