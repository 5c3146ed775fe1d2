#include "thread.h"
#include "train.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

// Every form the pitch readers take, designations against the pitches of
// their standards, and what they refuse with the words that say why. A pitch
// read is checked by its thread's name, which holds its value, unit and
// designation; "+" marks a leadscrew, "=" the dialog's field with TPI picked.
TEST(Thread, ReadersTable) {
    struct Case {
        std::string text;
        const char* read; // the name of the pitch read, or what the refusal says
    } cases[] = {
        {"1.25mm", "1.25 mm"},
        {"1,25MM", "1.25 mm"},
        {" 8 tpi ", "8 TPI"},
        {".5In", "0.5 in"},
        {"P1.25", "1.25 mm"},
        {"p0,75", "0.75 mm"},
        {"1.5module", "module 1.5"},
        {"20 Dp", "20 DP"},
        {"M6", "M6 (1 mm)"},
        {"m1.6", "M1.6 (0.35 mm)"},
        {"M2,5", "M2.5 (0.45 mm)"},
        {"M64", "M64 (6 mm)"},
        {"M6x0.75", "M6x0.75 (0.75 mm)"},
        {"m40×1,5", "M40x1.5 (1.5 mm)"},
        {"M6 x 1", "M6x1 (1 mm)"},
        {"m6 X1", "M6x1 (1 mm)"},
        {"3/8-24", "3/8-24 UNF (24 TPI)"},
        {"#0-80", "#0-80 UNF (80 TPI)"},
        {"1-1/8-7", "1-1/8-7 UNC (7 TPI)"},
        {"1/2-14", "is not a known thread designation: 1/2 UNC has 13 TPI, 1/2 UNF has 20 TPI"},
        {"9/32-26", "is not a known thread designation; known are"}, // BSF only: no Unified size
        {"1.5mod", "module 1.5"},
        {"1/2-13 UNC", "1/2-13 UNC (13 TPI)"},
        {"1/2 unc", "1/2-13 UNC (13 TPI)"},
        {"1/4-28 UNF", "1/4-28 UNF (28 TPI)"},
        {"#10-32UNF", "#10-32 UNF (32 TPI)"},
        {"#0-80 UNF", "#0-80 UNF (80 TPI)"},
        {"1-8 UNC", "1-8 UNC (8 TPI)"},
        {"1-1/2-6 UNC", "1-1/2-6 UNC (6 TPI)"},
        {"1/4-20 bsw", "1/4 BSW (20 TPI)"},
        {"1/4 BSF", "1/4 BSF (26 TPI)"},
        {"2 BSW", "2 BSW (4.5 TPI)"},
        {"1/2 BSP", "1/2 BSP (14 TPI)"},
        {"1.25", "has no unit (mm, tpi, in, module or dp)"},
        {"1.25inch", "has an unknown unit 'inch' (mm, tpi, in, module or dp)"},
        {"1,2,5mm", "does not start with a number"},
        {"", "does not start with a number"},
        {"0mm", "is zero"},
        {"-1.25mm", "is negative"},
        {"P1.25mm", "is not P and a pitch in mm, such as P1.25"},
        {"M7.5", "is not a known thread designation; known are M6 or M6x0.75 (ISO metric, M1 to M64), "
                 "1/2-13 UNC or #10-32 UNF (#0 to 1-1/2), 1/4 BSW, 1/4 BSF and 1/2 BSP"},
        {"M65", "is not a known thread designation; known are"},
        {"#0-80 UNC", "is not a known thread designation; known are"},
        {"9/32 BSW", "is not a known thread designation; known are"},
        {"10-24 UNC", "is not a known thread designation; known are"},
        {"1/2-12 UNC", "is not a known thread designation: 1/2 UNC has 13 TPI"},
        {"+0.2IN", "0.2 in"},
        {"+P3", "3 mm"},
        {"+2", "has no unit (mm, tpi or in)"},
        {"+20dp", "is not a leadscrew's pitch (mm, tpi or in)"},
        {"+M6", "is not a leadscrew's pitch (mm, tpi or in)"},
        {"=11", "11 TPI"},
        {"=1,5", "1.5 TPI"},
        {"= 1.25 ", "1.25 TPI"},
        {"=M8", "M8 (1.25 mm)"},
        {"=-2", "is negative"},
    };
    for (const Case& c : cases) {
        Thread thread;
        const std::string text = c.text.substr(c.text.starts_with('+') || c.text.starts_with('=') ? 1 : 0);
        Pitch& pitch = c.text.starts_with('+') ? thread.leadscrew : thread.pitch;
        const std::string problem = c.text.starts_with('+') ? ReadLeadscrew(text, pitch)
                                    : c.text.starts_with('=')
                                        ? ReadPitchField(text, false, PitchUnit::Tpi, pitch)
                                        : ReadPitch(text, pitch);
        if (problem.empty()) {
            thread.pitch = pitch;
            EXPECT_EQ(ThreadName(thread), c.read) << c.text;
        } else {
            EXPECT_TRUE(problem.starts_with(c.read)) << c.text << ": " << problem;
        }
    }
}

// The dialog's fields: a pitch shown in a field reads back as itself whatever
// unit is picked, and is a plain number, which takes the unit picked, only in
// that unit; any other text names its unit (NamedUnit), which the list then
// shows. A text that does not read names none: the list stays the user's.
TEST(Thread, PitchFieldsShowAndReadBack) {
    Pitch designation{};
    ASSERT_EQ(ReadPitch("3/8-24", designation), "");
    const Pitch shown[] = {{1.25, PitchUnit::Mm},    {11, PitchUnit::Tpi}, {0.1 + 0.2, PitchUnit::Inch},
                           {1.5, PitchUnit::Module}, {20, PitchUnit::Dp},  designation};
    for (const Pitch& pitch : shown) {
        for (const PitchUnitText& picked : kPitchUnits) {
            const std::string text = PitchFieldText(pitch, picked.unit);
            Pitch read{};
            EXPECT_EQ(ReadPitchField(text, false, picked.unit, read), "") << text;
            EXPECT_TRUE(read.value == pitch.value && read.unit == pitch.unit &&
                        read.designation == pitch.designation)
                << text << " with " << picked.key;
            const bool plain = pitch.unit == picked.unit && pitch.designation.empty();
            EXPECT_EQ(NamedUnit(text, false), plain ? std::nullopt : std::optional(pitch.unit)) << text;
        }
    }
    EXPECT_EQ(NamedUnit("8 tpi", true), PitchUnit::Tpi);
    EXPECT_EQ(NamedUnit("M8", true), std::nullopt);
    EXPECT_EQ(NamedUnit("8 t", false), std::nullopt);
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
    EXPECT_EQ(DescribeNoTrain(inch, {{500, true}, {near}}, "20 65 75 30"),
              "11 TPI on 3 mm leadscrew: nearest: 20 65 75 30, lead 11.0067 TPI (2.307692 mm) (-605.7 ppm, "
              "0.61 thou per inch), outside 0.05 %: 0.061 % short");
    EXPECT_EQ(DescribeNoTrain(inch, {kThreadTolerance, {}}, ""),
              "11 TPI on 3 mm leadscrew: no usable train within 1 %");

    Thread worm{{1.5, PitchUnit::Module}, 2, {8, PitchUnit::Tpi}, 0.5};
    EXPECT_DOUBLE_EQ(LeadMm(worm), 3 * kPi);
    EXPECT_DOUBLE_EQ(TargetRatio(worm), LeadMm(worm) / (25.4 / 8 * 0.5));
    const double ratio = TargetRatio(worm) * (1 + 2.4e-6);
    EXPECT_NEAR(LeadErrorPpm(worm, ratio), 2.4, 1e-6);
    EXPECT_EQ(ThreadName(worm) + " on " + LeadscrewName(worm),
              "module 1.5, 2 starts on 8 TPI leadscrew, fixed 0.5");
    EXPECT_EQ(LeadText(worm, LeadMm(worm)), "module 3.000000 (9.424778 mm)");
    worm.pitch = {0.1, PitchUnit::Inch};
    EXPECT_EQ(LeadText(worm, LeadMm(worm)), "0.200000 in (5.080000 mm)");
    worm.pitch = {10, PitchUnit::Dp};
    EXPECT_EQ(LeadText(worm, LeadMm(worm)), "5.0000 DP (15.959291 mm)");
    EXPECT_EQ(LeadErrorText(worm, -13.04), "-13.0 ppm, 0.01 thou per inch");
    EXPECT_EQ(PpmText(-0.04), "+0.0 ppm");
}

// The tolerance kept, how far off to two significant digits, and which way.
TEST(Thread, OutsideVerdictInWords) {
    EXPECT_EQ(OutsideVerdict(kThreadTolerance, 0.35, 0.34375, true), "outside 0.1 %: 1.8 % short");
    EXPECT_EQ(OutsideVerdict(kThreadTolerance, 1, 1.0123735, true), "outside 0.1 %: 1.2 % long");
    EXPECT_EQ(OutsideVerdict({500, true}, 1, 1.000996, true), "outside 0.05 %: 0.10 % long");
    EXPECT_EQ(OutsideVerdict({1, true}, 1, 1 - 5.1e-6, true), "outside 0.0001 %: 0.00051 % short");
    EXPECT_EQ(OutsideVerdict({0.002, false}, 2, 2.0062, false), "outside 0.002: 0.31 % high");
    EXPECT_EQ(OutsideVerdict({0.002, false}, 0.5, 0.4, false), "outside 0.002: 20 % low");
}
