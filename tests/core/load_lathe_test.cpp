#include "load_lathe.h"

#include "gear_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// A file reads as its text does. What is not a readable lathe file is a
// problem of the file as a whole and changes nothing; a missing file is gone
// only while its folder is there (a drive that is away may come back).
TEST(LoadLathe, ReadsTheFileOrSaysWhyNot) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tandrel-load-lathe-test";
    std::filesystem::create_directories(folder);
    const auto write = [&folder](const char* name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return folder / name;
    };
    Lathe lathe;
    EXPECT_EQ(LoadLathe(write("mini.tandrel", "gears = \"20-30/5\"\r\nfixed = 2\r\n"), lathe).what, "");
    EXPECT_TRUE(GearListText(lathe.stock) == "20-30/5" && lathe.fixed == 2);

    struct Case {
        std::filesystem::path path;
        std::string what;
        bool gone;
    };
    const Case cases[] = {
        {folder / "none.tandrel", "does not exist", true},
        {"none.tandrel", "does not exist", true}, // in the current folder
        {folder / "no such folder" / "none.tandrel", "does not exist, nor does its folder", false},
        {folder, "is not a file", false},
        // Read as far as one byte past the most a lathe file holds: the first
        // 64 KiB alone would be a good file.
        {write("large.tandrel", "gears = \"20\"\n#" + std::string(kMaxLatheFileSize, ' ')),
         "is larger than 64 KiB, too large for a lathe file", false},
    };
    for (const Case& c : cases) {
        Lathe kept = lathe;
        const LatheProblem problem = LoadLathe(c.path, kept);
        EXPECT_TRUE(problem.line == 0 && problem.what == c.what && problem.gone == c.gone)
            << c.path << ": " << problem.what;
        EXPECT_TRUE(kept == lathe) << c.path;
    }
    std::filesystem::remove_all(folder);
}
