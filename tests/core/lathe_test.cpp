#include "lathe.h"

#include "gear_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Lathe ImperialLathe() {
    Lathe lathe;
    lathe.name = "Shed \"B\", caf\xC3\xA9";
    ReadGearList("127, 20-35/5, 40x2, 45-80/5", lathe.stock);
    lathe.leadscrew = Pitch{8, PitchUnit::Tpi};
    lathe.fixed = 0.5;
    lathe.fitMargin = 15;
    ReadPitchList("M6, 1/2-13 UNC, 1.5mm,11tpi, 2module", lathe.chart);
    return lathe;
}

} // namespace

TEST(LatheFile, WrittenTextReadsBackToTheSameLathe) {
    const std::string text = LatheText(ImperialLathe());
    EXPECT_EQ(text, "# A Tandrel lathe: its change gears on hand and its settings.\n"
                    "name = \"Shed \\\"B\\\", caf\xC3\xA9\"\n"
                    "gears = \"20-35/5, 40x2, 45-80/5, 127\"\n"
                    "leadscrew = \"8tpi\"\n"
                    "fixed = 0.5\n"
                    "chart = [\"M6\", \"1/2-13 UNC\", \"1.5mm\", \"11tpi\", \"2module\"]\n"
                    "\n[fit]\nmargin = 15\n");
    Lathe read;
    EXPECT_EQ(ReadLathe(text, read).what, "");
    EXPECT_TRUE(read == ImperialLathe());

    // Without the optional keys: no name, no leadscrew, no fit; odd numbers stay exact.
    for (double fixed : {1.0, 1e-300, 123456789012345678901.0, 1.0 / 3}) {
        Lathe bare;
        bare.fixed = fixed;
        ASSERT_EQ(ReadLathe(LatheText(bare), read).what, "") << LatheText(bare);
        EXPECT_TRUE(read == bare) << LatheText(bare);
    }
    EXPECT_EQ(ReadLathe("gears = \"\"\nfixed = 2", read).what, "");
    EXPECT_EQ(read.fixed, 2);
}

TEST(LatheFile, AProblemNamesItsLineAndWhatIsWrong) {
    std::string manyPitches;
    for (int k = 0; k < 101; ++k) {
        manyPitches += "\"M6\", ";
    }
    struct Case {
        std::string text;
        std::size_t line;
        std::string what;
    } cases[] = {
        {"gears = \"20-80\"\nnmae = \"x\"", 2,
         "unknown key 'nmae' (name, gears, leadscrew, fixed, fit, chart)"},
        {"gears = \"20\"\n[fit]\nmargin = 5\nmarign = 3\n", 4, "unknown key 'fit.marign' (margin)"},
        {"[fit]\nmargin = 201\n", 2, "margin must be a whole number of teeth from 0 to 200"},
        {"gears = \"20\"\nfit = 15", 2, "fit must be a table: [fit] on a line of its own, then margin = 15"},
        {"\n\ngears = \"20-80, 17x4\"", 3, "gears '17x4': at most 3 of a size"},
        {"gears = 20", 1, "gears must be a gear list in quotes, such as \"20-80/5, 127\""},
        {"gears = \"20\"\nleadscrew = \"8\"", 2, "leadscrew '8' has no unit"},
        {"gears = \"20\"\nleadscrew = \"2module\"", 2, "leadscrew '2module' is not a leadscrew's pitch"},
        {"gears = \"20\"\nfixed = 0", 2, "fixed must be a number above zero"},
        {"gears = \"20\"\nchart = \"M6\"", 2, "chart must be a list of pitches"},
        {"gears = \"20\"\nchart = [\"M6\",\n 6]", 3, "chart must hold pitches in quotes"},
        {"gears = \"20\"\nchart = [\"M6\", \"M7x\"]", 2, "chart 'M7x' "},
        {"gears = \"20\"\nchart = [" + manyPitches + "]", 2, "chart holds more than 100 pitches"},
        {"gears = \"20\"\nfixed = \"1\"", 2, "fixed must be a number above zero"},
        {"gears = \"20\"\nfixed = inf", 2, "fixed must be a number above zero"},
        {"name = 3\ngears = \"20\"", 1, "name must be a text in quotes"},
        {"name = \"x\"", 0, "has no gears"},
        {"gears = \"20\"\ngears = \"21\"", 2, "redefine"},
        {"gears = \"20\"\nname = \"Drehbank f\xFCr\"", 2, "not UTF-8 text"},
        {"# f\xC3\xBCr \xC3\xA9\ngears = \"20\"\nname = 'Drehbank f\xC3\xBCr'", 3,
         "beyond ASCII outside double quotes"},
        {"gears = \"20\"\nname = 2\"\xD1\xAC\"", 2, "Error while parsing"},
        {"gears = \"20\"\nname = \"\\\xC3\xA9\"", 2, "a backslash before a letter beyond ASCII"},
        {"gears = \"20\"\n#" + std::string(kMaxLatheFileSize, ' '), 0, "larger than 64 KiB"},
    };
    for (const Case& c : cases) {
        Lathe lathe = ImperialLathe();
        const LatheProblem problem = ReadLathe(c.text, lathe);
        EXPECT_EQ(problem.line, c.line) << c.text.substr(0, 80);
        EXPECT_NE(problem.what.find(c.what), std::string::npos)
            << c.text.substr(0, 80) << ": " << problem.what;
        EXPECT_TRUE(lathe == ImperialLathe()) << "a bad file changes nothing";
    }
    EXPECT_EQ(DescribeLatheProblem("a.tandrel", {3, "gears '17x4': at most 3 of a size"}),
              "a.tandrel, line 3: gears '17x4': at most 3 of a size");
    Lathe lathe;
    EXPECT_EQ(DescribeLatheProblem("none.tandrel", LoadLathe("none.tandrel", lathe)),
              "none.tandrel does not exist");
}
