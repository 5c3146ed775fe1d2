#include "banjo.h"

#include <gtest/gtest.h>

#include <string>

// The banjo's rules, in the words of each caller: a lathe file's keys, the
// command line's options, and options over a lathe file's slot.
TEST(BanjoOf, TellsWhatIsWrongInTheCallersWords) {
    const BanjoNames file{.module = "module",
                          .dp = "dp",
                          .centreDistance = "centre_distance",
                          .studMin = "stud_min",
                          .studMax = "stud_max",
                          .studMinOwner = "the banjo's ",
                          .studMaxOwner = "its "};
    const BanjoNames options{.module = "--module",
                             .dp = "--dp",
                             .centreDistance = "--centre-distance",
                             .studMin = "--stud-min",
                             .studMax = "--stud-max",
                             .quoted = true};
    BanjoNames overFile = options;
    overFile.studMin = "stud_min";
    overFile.studMinOwner = "the lathe's ";
    const struct {
        BanjoFigures figures;
        const BanjoNames& names;
        std::string problem;
    } cases[] = {
        {{.module = 1.5, .centreDistance = 120, .studMin = 40, .studMax = 100}, file, ""},
        {{.module = 1.5, .centreDistance = 120, .studMin = 40, .studMax = 40}, options, ""},
        {{.module = 1.5, .dp = 16, .centreDistance = 120, .studMin = 40, .studMax = 100},
         file,
         "module and dp exclude each other: give the one the gears are made to"},
        {{.module = 1.5, .dp = 16},
         options,
         "--module and --dp exclude each other: give the one the gears are made to"},
        {{.centreDistance = 120, .studMin = 40, .studMax = 100}, file, "the banjo needs module or dp"},
        {{.clearance = 2}, options, "the banjo needs --module or --dp"},
        {{.module = 1.5, .studMin = 40, .studMax = 100}, file, "the banjo needs centre_distance"},
        {{.module = 1.5, .centreDistance = 120, .studMax = 100}, options, "the banjo needs --stud-min"},
        {{.module = 1.5, .centreDistance = 120, .studMin = 40}, file, "the banjo needs stud_max"},
        {{.module = 1.5, .centreDistance = 120, .studMin = 100.5, .studMax = 100},
         file,
         "the banjo's stud_min 100.5 is above its stud_max 100"},
        {{.module = 1.5, .centreDistance = 120, .studMin = 100.5, .studMax = 100},
         options,
         "--stud-min '100.5' is above --stud-max '100'"},
        {{.module = 1.5, .centreDistance = 120, .studMin = 100.5, .studMax = 100},
         overFile,
         "the lathe's stud_min '100.5' is above --stud-max '100'"},
    };
    for (const auto& c : cases) {
        Banjo banjo;
        banjo.module = 7;
        EXPECT_EQ(BanjoOf(c.figures, c.names, banjo), c.problem);
        EXPECT_EQ(banjo.module, c.problem.empty() ? 1.5 : 7) << c.problem; // set only when nothing is wrong
    }
}

// The banjo the figures give: the module from the diametral pitch, and the
// clearance of 3 mm unless one is given.
TEST(BanjoOf, MakesTheBanjoOfTheFigures) {
    const BanjoNames names{};
    Banjo banjo;
    ASSERT_EQ(BanjoOf({.dp = 16, .centreDistance = 150, .studMin = 45, .studMax = 125, .maxLast = 80}, names,
                      banjo),
              "");
    EXPECT_EQ(banjo, (Banjo{25.4 / 16, 150, 45, 125, 3, std::nullopt, 80}));
    ASSERT_EQ(
        BanjoOf({.module = 1, .centreDistance = 90, .studMin = 35, .studMax = 80, .clearance = 0, .maxA = 60},
                names, banjo),
        "");
    EXPECT_EQ(banjo, (Banjo{1, 90, 35, 80, 0, 60, std::nullopt}));
}
