#include "thread.h"
#include "train.h"

#include <gtest/gtest.h>

// Every unit, in any case, and what is not a pitch.
TEST(Thread, UnitsTable) {
    const double pi = 3.14159265358979323846;
    struct Case {
        const char* text;
        double mm; // 0: not a pitch
    } cases[] = {
        {"1.25mm", 1.25},
        {"1.25MM", 1.25},
        {"1,25mm", 1.25},
        {"1,2,5mm", 0},
        {"11tpi", 25.4 / 11},
        {"11TPI", 25.4 / 11},
        {".5Mm", 0.5},
        {"4.5tPi", 25.4 / 4.5},
        {"1.5module", 1.5 * pi},
        {"2MODULE", 2 * pi},
        {"20dp", 25.4 * pi / 20},
        {"20Dp", 25.4 * pi / 20},
        {"1.25", 0},
        {"mm", 0},
        {"1.25 mm", 0},
        {"1.25in", 0},
        {"0mm", 0},
        {"0.0tpi", 0},
        {"-1.25mm", 0},
        {"1.2.5mm", 0},
        {".mm", 0},
        {"", 0},
        {"1e3mm", 0},
    };
    for (const Case& c : cases) {
        Pitch pitch{};
        const std::string problem = ReadPitch(c.text, pitch);
        if (c.mm == 0) {
            EXPECT_NE(problem, "") << c.text;
        } else {
            EXPECT_EQ(problem, "") << c.text;
            EXPECT_DOUBLE_EQ(PitchMm(pitch), c.mm) << c.text;
        }
    }
}

// M1.25 on a 2 mm leadscrew, 11 TPI on a 3 mm leadscrew, a two-start worm through a fixed 1:2.
TEST(Thread, TargetLeadAndDescription) {
    Thread metric{{1.25, PitchUnit::Mm}, 1, {2, PitchUnit::Mm}, 1};
    EXPECT_DOUBLE_EQ(TargetRatio(metric), 0.625);
    const SolutionRecord exact{0, 20, 50, 40, 40}; // 1000 / 1600 = 0.625
    EXPECT_EQ(DescribeThreadTrain(metric, exact), "M1.25 on 2 mm leadscrew: lead 1.250000 mm, +0.0 ppm");

    Thread inch{{11, PitchUnit::Tpi}, 1, {3, PitchUnit::Mm}, 1};
    EXPECT_DOUBLE_EQ(TargetRatio(inch), 25.4 / 11 / 3);
    const SolutionRecord near{0, 25, 127, 55, 75}; // 3175 / 4125, lead 2.309090... mm
    EXPECT_DOUBLE_EQ(LeadOfRatio(inch, TrainRatio(near)), 3175.0 / 4125 * 3);
    EXPECT_EQ(DescribeThreadTrain(inch, near), "11 TPI on 3 mm leadscrew: lead 2.309091 mm, +0.0 ppm");

    Thread worm{{1.5, PitchUnit::Module}, 2, {8, PitchUnit::Tpi}, 0.5};
    EXPECT_DOUBLE_EQ(LeadMm(worm), 3 * 3.14159265358979323846);
    EXPECT_DOUBLE_EQ(TargetRatio(worm), LeadMm(worm) / (25.4 / 8 * 0.5));
    const double ratio = TargetRatio(worm) * (1 + 2.4e-6);
    EXPECT_NEAR(LeadErrorPpm(worm, ratio), 2.4, 1e-6);
    EXPECT_EQ(ThreadName(worm) + " on " + LeadscrewName(worm),
              "module 1.5, 2 starts on 8 TPI leadscrew, fixed 0.5");
    EXPECT_EQ(PpmText(-0.04), "+0.0 ppm");
    EXPECT_EQ(PpmText(-13.04), "-13.0 ppm");
}
