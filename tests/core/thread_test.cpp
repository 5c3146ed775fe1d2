#include "thread.h"
#include "train.h"

#include <gtest/gtest.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

// Every unit and form the pitch reader takes, in any case, and what it refuses
// with the words that say why; the leadscrew's reader takes only its units.
TEST(Thread, ReadersTable) {
    struct Case {
        const char* text;
        double mm;           // 0: refused
        const char* problem; // a refused text's message holds this
        bool leadscrew = false;
    } cases[] = {
        {"1.25mm", 1.25, ""},
        {"1.25MM", 1.25, ""},
        {"1,25mm", 1.25, ""},
        {"1.25 mm", 1.25, ""},
        {" 8 tpi ", 25.4 / 8, ""},
        {"11TPI", 25.4 / 11, ""},
        {".5Mm", 0.5, ""},
        {"4.5tPi", 25.4 / 4.5, ""},
        {"0.1in", 2.54, ""},
        {"P1.25", 1.25, ""},
        {"p0,75", 0.75, ""},
        {"1.5module", 1.5 * kPi, ""},
        {"2 MODULE", 2 * kPi, ""},
        {"20dp", 25.4 * kPi / 20, ""},
        {"1,2,5mm", 0, "does not start with a number"},
        {"1.25", 0, "has no unit (mm, tpi, in, module or dp)"},
        {"mm", 0, "does not start with a number"},
        {"1.25inch", 0, "has an unknown unit 'inch' (mm, tpi, in, module or dp)"},
        {"0mm", 0, "is zero"},
        {"0.0tpi", 0, "is zero"},
        {"-1.25mm", 0, "is negative"},
        {"P-1", 0, "is negative"},
        {"P1.25mm", 0, "such as P1.25"},
        {"1.2.5mm", 0, "does not start with a number"},
        {"", 0, "does not start with a number"},
        {"1e3mm", 0, "unknown unit 'e3mm'"},
        {"2 mm", 2, "", true},
        {"0.2IN", 5.08, "", true},
        {"P3", 3, "", true},
        {"2", 0, "has no unit (mm, tpi or in)", true},
        {"20dp", 0, "is not a leadscrew's pitch (mm, tpi or in)", true},
        {"2inch", 0, "unknown unit 'inch' (mm, tpi or in)", true},
        {"M6", 0, "is not a leadscrew's pitch", true},
    };
    for (const Case& c : cases) {
        Pitch pitch{};
        const std::string problem = c.leadscrew ? ReadLeadscrew(c.text, pitch) : ReadPitch(c.text, pitch);
        if (c.mm == 0) {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text << ": " << problem;
            EXPECT_NE(problem, "") << c.text;
        } else {
            EXPECT_EQ(problem, "") << c.text;
            EXPECT_DOUBLE_EQ(PitchMm(pitch), c.mm) << c.text;
            EXPECT_EQ(pitch.designation, "") << c.text;
        }
    }
}

// Designations against the pitches of their standards, the names they keep,
// and what is not one; the dialog's field reads a plain number in its list's unit.
TEST(Thread, DesignationsTable) {
    struct Case {
        const char* text;
        const char* name; // ThreadName of the pitch read; "" when refused
        double mm;        // refused: 0
        const char* problem = "is not a known thread designation; known are M6 or M6x0.75";
    } cases[] = {
        {"M6", "M6 (1 mm)", 1},
        {"m1", "M1 (0.25 mm)", 0.25},
        {"M1.6", "M1.6 (0.35 mm)", 0.35},
        {"M2,5", "M2.5 (0.45 mm)", 0.45},
        {"M12", "M12 (1.75 mm)", 1.75},
        {"M27", "M27 (3 mm)", 3},
        {"M64", "M64 (6 mm)", 6},
        {"M6x0.75", "M6x0.75 (0.75 mm)", 0.75},
        {"M6×0.75", "M6x0.75 (0.75 mm)", 0.75},
        {"m40X1,5", "M40x1.5 (1.5 mm)", 1.5},
        {"1/2-13 UNC", "1/2-13 UNC (13 TPI)", 25.4 / 13},
        {"1/2 unc", "1/2-13 UNC (13 TPI)", 25.4 / 13},
        {"1/4-28 UNF", "1/4-28 UNF (28 TPI)", 25.4 / 28},
        {"#10-24 UNC", "#10-24 UNC (24 TPI)", 25.4 / 24},
        {"#10-32UNF", "#10-32 UNF (32 TPI)", 25.4 / 32},
        {"#0-80 UNF", "#0-80 UNF (80 TPI)", 25.4 / 80},
        {"1-8 UNC", "1-8 UNC (8 TPI)", 25.4 / 8},
        {"1-1/2-6 UNC", "1-1/2-6 UNC (6 TPI)", 25.4 / 6},
        {"1-1/2 UNF", "1-1/2-12 UNF (12 TPI)", 25.4 / 12},
        {"1/4 BSW", "1/4 BSW (20 TPI)", 25.4 / 20},
        {"1/4-20 bsw", "1/4 BSW (20 TPI)", 25.4 / 20},
        {"1/4 BSF", "1/4 BSF (26 TPI)", 25.4 / 26},
        {"2 BSW", "2 BSW (4.5 TPI)", 25.4 / 4.5},
        {"1/2 BSP", "1/2 BSP (14 TPI)", 25.4 / 14},
        {"6 BSP", "6 BSP (11 TPI)", 25.4 / 11},
        {"M7.5", "", 0},
        {"M6x", "", 0},
        {"M65", "", 0},
        {"#0-80 UNC", "", 0},
        {"9/32 BSW", "", 0},
        {"10-24 UNC", "", 0},
        {"1/2-12 UNC", "", 0, "is not a known thread designation: 1/2 UNC has 13 TPI"},
        {"1/2 UNX", "", 0},
    };
    for (const Case& c : cases) {
        Thread thread;
        const std::string problem = ReadPitch(c.text, thread.pitch);
        if (c.mm == 0) {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text << ": " << problem;
            continue;
        }
        EXPECT_EQ(problem, "") << c.text;
        EXPECT_EQ(ThreadName(thread), c.name) << c.text;
        EXPECT_DOUBLE_EQ(PitchMm(thread.pitch), c.mm) << c.text;
    }

    Pitch pitch{};
    EXPECT_EQ(ReadPitchField("11", PitchUnit::Tpi, pitch), "");
    EXPECT_EQ(pitch.unit, PitchUnit::Tpi);
    EXPECT_EQ(ReadPitchField("1,5", PitchUnit::Module, pitch), "");
    EXPECT_DOUBLE_EQ(PitchMm(pitch), 1.5 * kPi);
    EXPECT_EQ(ReadPitchField("M8", PitchUnit::Dp, pitch), ""); // the designation's unit wins
    EXPECT_EQ(pitch.unit, PitchUnit::Mm);
    EXPECT_EQ(pitch.designation, "M8");
    EXPECT_EQ(ReadPitchField("-2", PitchUnit::Mm, pitch), "is negative");
    EXPECT_EQ(ReadPitchField("", PitchUnit::Mm, pitch), "is empty");
    EXPECT_NE(ReadPitchField(" 1.25", PitchUnit::Mm, pitch),
              ""); // plain numbers as the field always took them
}

// 1.25 mm on a 2 mm leadscrew, 11 TPI on a 3 mm leadscrew, a two-start worm
// through a fixed 1:2: targets, leads in the thread's unit, errors as a
// machinist measures them, and the line for no train.
TEST(Thread, TargetLeadAndDescription) {
    Thread metric{{1.25, PitchUnit::Mm}, 1, {2, PitchUnit::Mm}, 1};
    EXPECT_DOUBLE_EQ(TargetRatio(metric), 0.625);
    const SolutionRecord exact{0, 20, 50, 40, 40}; // 1000 / 1600 = 0.625
    EXPECT_EQ(DescribeThreadTrain(metric, exact),
              "1.25 mm on 2 mm leadscrew: lead 1.250000 mm, +0.0 ppm, 0.00 µm over 25 mm");
    EXPECT_EQ(LeadErrorText(metric, 2.4), "+2.4 ppm, 0.06 µm over 25 mm");

    Thread inch{{11, PitchUnit::Tpi}, 1, {3, PitchUnit::Mm}, 1};
    EXPECT_DOUBLE_EQ(TargetRatio(inch), 25.4 / 11 / 3);
    const SolutionRecord near{0, 20, 75, 65, 30}; // 1500 / 1950 = 10/13, lead 30/13 mm
    EXPECT_DOUBLE_EQ(LeadOfRatio(inch, TrainRatio(near)), 30.0 / 13);
    EXPECT_EQ(DescribeThreadTrain(inch, near), "11 TPI on 3 mm leadscrew: lead 11.0067 TPI (2.307692 mm), "
                                               "-605.7 ppm, 0.61 thou per inch");
    EXPECT_DOUBLE_EQ(MeasuredLeadError(inch, -605.7), -0.6057);
    EXPECT_EQ(DescribeNoTrain(inch, {kThreadTolerance, {near}}, "20 65 75 30"),
              "11 TPI on 3 mm leadscrew: no train within 0.1 %; nearest: 20 65 75 30, lead 11.0067 TPI "
              "(2.307692 mm) (-605.7 ppm, 0.61 thou per inch)");
    EXPECT_EQ(DescribeNoTrain(inch, {{0.002, false}, {}}, ""),
              "11 TPI on 3 mm leadscrew: no train within 0.002, none within 10 %");

    Thread worm{{1.5, PitchUnit::Module}, 2, {8, PitchUnit::Tpi}, 0.5};
    EXPECT_DOUBLE_EQ(LeadMm(worm), 3 * kPi);
    EXPECT_DOUBLE_EQ(TargetRatio(worm), LeadMm(worm) / (25.4 / 8 * 0.5));
    const double ratio = TargetRatio(worm) * (1 + 2.4e-6);
    EXPECT_NEAR(LeadErrorPpm(worm, ratio), 2.4, 1e-6);
    EXPECT_EQ(ThreadName(worm) + " on " + LeadscrewName(worm),
              "module 1.5, 2 starts on 8 TPI leadscrew, fixed 0.5");
    EXPECT_EQ(LeadText(worm, LeadMm(worm)), "module 3.000000 (9.424778 mm)");
    worm.pitch = {10, PitchUnit::Dp};
    EXPECT_EQ(LeadText(worm, LeadMm(worm)), "5.0000 DP (15.959291 mm)");
    EXPECT_EQ(LeadErrorText(worm, -13.04), "-13.0 ppm, 0.01 thou per inch");
    EXPECT_EQ(PpmText(-0.04), "+0.0 ppm");
}
