#include "load_lathe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

// A path that is no readable lathe file is a problem of the file as a whole; a
// missing file is gone only while its folder is there (a drive may be away).
TEST(LoadLathe, SaysWhyAPathIsNoLatheFile) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tandrel-load-lathe-test";
    std::filesystem::create_directories(folder);
    // Read to one byte past the most a lathe file holds: its first 64 KiB alone would be a good file.
    std::ofstream(folder / "large.tandrel", std::ios::binary)
        << "gears = \"20\"\n#" << std::string(kMaxLatheFileSize, ' ');
    const std::tuple<std::filesystem::path, std::string, bool> cases[] = {
        {folder / "none.tandrel", "does not exist", true},
        {"none.tandrel", "does not exist", true}, // in the current folder
        {folder / "no such folder" / "none.tandrel", "does not exist, nor does its folder", false},
        {folder, "is not a file", false},
        {folder / "large.tandrel", "is larger than 64 KiB, too large for a lathe file", false},
    };
    for (const auto& [path, what, gone] : cases) {
        Lathe lathe;
        const LatheProblem problem = LoadLathe(path, lathe);
        EXPECT_TRUE(problem.line == 0 && problem.what == what && problem.gone == gone)
            << path << ": " << problem.what;
    }
    std::filesystem::remove_all(folder);
}
