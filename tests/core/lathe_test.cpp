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
    lathe.banjo = Banjo{25.4 / 16, 150, 45, 125.5, 0, std::nullopt, 80};
    lathe.dp = 16;
    ReadPitchList("M6, 1/2-13 UNC, 1.5mm,11tpi, 2module", lathe.chart);
    lathe.dial = Dial{.teeth = {14, 15, 16}, .lines = 8, .numbers = 4};
    lathe.gearbox = Gearbox{{{"A1", 0.25}, {"C-4", 1, Pitch{11, PitchUnit::Tpi}}, {"x y", 1, {}}},
                            PlateGears{20.0 * 127 / (60 * 50), {20, 127}, {60, 50}}};
    return lathe;
}

} // namespace

TEST(LatheFile, WrittenTextReadsBackToTheSameLathe) {
    const std::string text = LatheText(ImperialLathe());
    EXPECT_EQ(text, "# A Tandrel lathe: its change gears on hand and its settings.\n"
                    "name = \"Shed \\\"B\\\", caf\xC3\xA9\"\n"
                    "gears = \"20-80/5, 40x2, 127\"\n"
                    "leadscrew = \"8tpi\"\n"
                    "fixed = 0.5\n"
                    "chart = [\"M6\", \"1/2-13 UNC\", \"1.5mm\", \"11tpi\", \"2module\"]\n"
                    "\n[fit]\nmargin = 15\n"
                    "\n[banjo]\ndp = 16\ncentre_distance = 150\nstud_min = 45\nstud_max = 125.5\n"
                    "clearance = 0\nmax_last = 80\n"
                    "\n[gearbox]\nplate_gears = \"20 127 / 60 50\"\n"
                    "\n[gearbox.settings]\nA1 = 0.25\nC-4 = \"11tpi\"\n\"x y\" = 1\n"
                    "\n[dial]\nteeth = [14, 15, 16]\nlines = 8\nnumbers = 4\n");
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
    // The banjo by its module, the clearance left at 3 mm; center_distance is centre_distance.
    ASSERT_EQ(ReadLathe("gears = \"20\"\nbanjo.module = 1.5\nbanjo.center_distance = 120\n"
                        "banjo.stud_min = 40\nbanjo.stud_max = 100\nbanjo.max_a = 165",
                        read)
                  .what,
              "");
    EXPECT_TRUE(read.banjo == (Banjo{1.5, 120, 40, 100, 3, 165, std::nullopt}) && !read.dp);
    EXPECT_NE(LatheText(read).find("[banjo]\nmodule = 1.5\ncentre_distance = 120\nstud_min = 40\n"
                                   "stud_max = 100\nclearance = 3\nmax_a = 165\n"),
              std::string::npos);
    // A dial of one gear, its lines and numbers left out: 8 lines, all numbered.
    ASSERT_EQ(ReadLathe("gears = \"20\"\n[dial]\nteeth = 16", read).what, "");
    EXPECT_TRUE(read.dial == (Dial{.teeth = {16}, .lines = 8, .numbers = 8}));
    EXPECT_NE(LatheText(read).find("[dial]\nteeth = 16\nlines = 8\nnumbers = 8\n"), std::string::npos);
}

TEST(LatheFile, AProblemNamesItsLineAndWhatIsWrong) {
    const std::string mm = ": a number in mm, without the unit";
    std::string manyPitches;
    for (int k = 0; k < 101; ++k) {
        manyPitches += "\"M6\", ";
    }
    std::string manySettings;
    for (int k = 0; k < 201; ++k) {
        manySettings += (k == 0 ? "S" : ", S") + std::to_string(k) + " = 1";
    }
    struct Case {
        std::string text;
        std::size_t line;
        std::string what;
    } cases[] = {
        {"gears = \"20-80\"\nnmae = \"x\"", 2,
         "unknown key 'nmae' (name, gears, leadscrew, fixed, chart, fit, banjo, dial, gearbox)"},
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
        {"gears = \"20\"\n[\x01"
         "fit]\nmargin = 0",
         2, "a control character (code 1)"},
        {"# f\xC3\xBCr \xC3\xA9\ngears = \"20\"\nname = 'Drehbank f\xC3\xBCr'", 3,
         "beyond ASCII outside double quotes"},
        {"gears = \"20\"\nname = 2\"\xD1\xAC\"", 2, "Error while parsing"},
        {"gears = \"20\"\nname = \"\\\xC3\xA9\"", 2, "a backslash before a letter beyond ASCII"},
        {"gears = \"20\"\n#" + std::string(kMaxLatheFileSize, ' '), 0, "larger than 64 KiB"},
        {"gears = \"20\"\n[banjo]\nmodule = 1\ncentre_distance = 90\nstud_min = 30\n", 2,
         "the banjo needs stud_max"},
        {"gears = \"20\"\n[banjo]\ncentre_distance = 90\n", 2, "the banjo needs module or dp"},
        {"gears = \"20\"\n[banjo]\nmodule = 1\ncentre_distance = 90\nstud_min = 80\nstud_max = 70", 2,
         "the banjo's stud_min 80 is above its stud_max 70"},
        {"gears = \"20\"\n[banjo]\nmodule = 1\ndp = 20", 4, "module and dp exclude each other"},
        {"gears = \"20\"\n[banjo]\ndp = 20\nmodule = 1", 4, "module and dp exclude each other"},
        {"gears = \"20\"\n[banjo]\nmodule = 0", 3, "module must be a length in mm above zero"},
        {"gears = \"20\"\n[banjo]\nstud_min = \"40\"", 3, "stud_min must be a length in mm above zero"},
        {"gears = \"20\"\n[banjo]\nclearance = -1", 3, "clearance must be a length in mm, zero or more"},
        {"gears = \"20\"\n[banjo]\nmax_last = 166", 3, "max_last must be a tooth count from 16 to 165"},
        {"gears = \"20\"\n[banjo]\nmax_a = 1.5", 3, "max_a must be a tooth count from 16 to 165"},
        {"gears = \"20\"\n[banjo]\nslot = 1", 3, "unknown key 'banjo.slot' (module, dp, centre_distance"},
        {"gears = \"20\"\nbanjo = 1", 2, "banjo must be a table"},
        {"gears = \"20\"\n[banjo]\ncentre_distance = 90\ncenter_distance = 90", 4,
         "centre_distance and center_distance are the same length: give it once"},
        {"gears = \"20\"\n[dial]\nlines = 8", 2, "the dial needs teeth"},
        {"gears = \"20\"\n[dial]\nteeth = [14, 7]", 3,
         "teeth must be a tooth count from 8 to 200, or a list"},
        {"gears = \"20\"\n[dial]\nteeth = 16\nlines = 8\nnumbers = 3", 2,
         "the dial's numbers must divide its 8 lines"},
        {"gears = \"20\"\n[dial]\nteeth = 16\nlines = 0", 4, "lines must be a whole number from 1 to 360"},
        {"gears = \"20\"\n[gearbox]\nplate_gears = 0.5", 2, "the gearbox needs its settings"},
        {"gears = \"20\"\n[gearbox]\nsettings = 1", 3, "settings must be a table"},
        {"gears = \"20\"\n[gearbox.settings]\nA1 = 0.5\nB2 = \"11 tqi\"", 4,
         "setting 'B2' '11 tqi' has an unknown unit"},
        {"gears = \"20\"\n[gearbox.settings]\nA1 = 0.5\nA2 = -1", 4,
         "setting 'A2' must be a ratio above zero"},
        {"gears = \"20\"\n[gearbox.settings]\nA1 = true", 3, "setting 'A1' must be a ratio (a number)"},
        {"gears = \"20\"\n[gearbox.settings]\n\"A=1\" = 1", 3, "a name holds no quotation mark, '='"},
        {"gears = \"20\"\n[gearbox.settings]\n\"\" = 1", 3, "a setting needs a name"},
        {"gears = \"20\"\n[gearbox.settings]\nA1 = 1\nA1 = 2", 4, "redefine"},
        {"gears = \"20\"\nleadscrew = \"8tpi\"\n[gearbox]\nsettings = { A1 = \"11 tpi\" }", 4,
         "setting 'A1' is given by its thread: plate_gears must name"},
        {"gears = \"20\"\n[gearbox]\nplate_gears = 0.5\n[gearbox.settings]\nA1 = 2\nB1 = \"11 tpi\"", 6,
         "the lathe needs its leadscrew"},
        {"gears = \"20\"\n[gearbox]\nplate_gears = \"40:80 20\"\n", 3,
         "plate_gears '40:80 20' needs as many drivers as driven gears"},
        {"gears = \"20\"\n[gearbox]\nplate_gears = \"40:170\"\n", 3, "'170', which is not a tooth count"},
        {"gears = \"20\"\n[gearbox]\nplate_gears = \"20 30 40 50 / 1\"\n", 3, "one to three gears"},
        {"gears = \"20\"\n[gearbox]\nplate_gears = 0\n", 3, "plate_gears '0' is zero"},
        {"gears = \"20\"\n[gearbox]\nplate = 1\n", 3, "unknown key 'gearbox.plate' (settings, plate_gears)"},
        {"gears = \"20\"\n[gearbox]\nsettings = {" + manySettings + "}", 3, "more than 200 settings"},
        // A line that TOML refuses for a common mistake says what to write
        // instead; a byte-order mark, as Windows editors write, moves no line.
        {"\xEF\xBB\xBFgears = \"20\"\r\nfixed = 1,5 # half\r\n", 2,
         "fixed '1,5': write 1.5: a decimal point"},
        {"gears = \"20\"\n[banjo]\nclearance = 3mm", 3, "clearance '3mm': write 3" + mm},
        {"gears = \"20\"\nbanjo.stud_min = 40,5 mm", 2, "banjo.stud_min '40,5 mm': write 40.5" + mm},
        {"gears = 20-80/5, 127", 1, "gears '20-80/5, 127': write \"20-80/5, 127\": a gear list in quotes"},
        {"name = \"Mini\ngears = \"20\"", 1, "name '\"Mini': write \"Mini\": a quotation mark at each end"},
        {"gears = \"20\"\nleadscrew 8tpi", 2,
         "'leadscrew 8tpi': write leadscrew = \"8tpi\": an equals sign between the key and its value, and a "
         "pitch in quotes"},
        {"gears = \"20\"\nfixed =", 2, "fixed has no value: it takes a number, without a unit"},
        {"gears = \"20\"\nfixed = 1/2", 2, "Error while parsing decimal integer"}, // toml++'s own message
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
}
