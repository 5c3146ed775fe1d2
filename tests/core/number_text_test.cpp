#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

TEST(ReadNumber, ReadsLeadingDecimalNumberLikeAtof) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"", 0.0},      {"1.5", 1.5},       {"  \t\n2.25x", 2.25}, {".5", 0.5},     {"5.", 5.0},
        {".", 0.0},     {"abc", 0.0},       {"-2.5", -2.5},        {"+3", 3.0},     {"1e5", 1e5},
        {"1E5", 1e5},   {"1e+5", 1e5},      {"1e-5", 1e-5},        {"1e", 1.0},     {"2,5", 2.0},
        {"1.2.3", 1.2}, {"0x10", 0.0},      {"inf", 0.0},          {"nan", 0.0},    {"-.", 0.0},
        {"0.000", 0.0}, {"3.25\r\n", 3.25}, {"1e999", HUGE_VAL},   {"1e-999", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
    }
}

// Out of range: the decimal magnitude (first significant digit and exponent)
// tells overflow from underflow, however many digits come before either.
TEST(ReadNumber, OutOfRangeIsInfinityOrZeroByMagnitude) {
    const std::string zeros(400, '0');
    struct Case {
        std::string text;
        double value;
    } cases[] = {
        {"0." + zeros + "1", 0.0},
        {"-0." + zeros + "1", -0.0},
        {"0." + zeros + "1e5", 0.0},
        {"0." + zeros + "1e800", HUGE_VAL},
        {"1" + zeros, HUGE_VAL},
        {"-1" + zeros + ".5", -HUGE_VAL},
        {"1" + zeros + "e-800", 0.0},
        {"1" + zeros + "e-100", 1e300},
        {"1e99999999999999999999999", HUGE_VAL},
        {"1e-99999999999999999999999", 0.0},
        {"2e-324", 0.0},
        {"4.9e-324", 4.9406564584124654e-324},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
        EXPECT_EQ(std::signbit(ReadNumber(c.text)), std::signbit(c.value)) << c.text;
    }
}

TEST(ReadNumber, IsCorrectlyRounded) {
    EXPECT_EQ(ReadNumber("0.1"), 0.1);
    EXPECT_EQ(ReadNumber("2.54"), 2.54);
    EXPECT_EQ(ReadNumber("0.66666666666667"), 0.66666666666667);
    EXPECT_EQ(ReadNumber("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(ReadNumber("2.2250738585072011e-308"), 2.2250738585072011e-308);
}

TEST(RatioFromText, ReadsOnlyTheFirst17Characters) {
    EXPECT_EQ(RatioFromText("1.234567890123456789"), 1.234567890123456);
    EXPECT_EQ(RatioFromText("12345678901234567"), 12345678901234567.0);
    EXPECT_EQ(RatioFromText("123456789012345678"), 12345678901234567.0);
}

TEST(FormatFixed14, MatchesPrintfRounding) {
    EXPECT_EQ(FormatFixed14(2.0 / 3.0), "0.66666666666667");
    EXPECT_EQ(FormatFixed14(-0.0), "-0.00000000000000");
    EXPECT_EQ(FormatFixed14(-1e-20), "-0.00000000000000");
    EXPECT_EQ(FormatFixed14(0.0), "0.00000000000000");
    EXPECT_EQ(FormatFixed14(1e-14), "0.00000000000001");
    EXPECT_EQ(FormatFixed14(0.125), "0.12500000000000");
    // 2^-15 = 0.000030517578125 lies exactly halfway: round half to even, as printf does.
    EXPECT_EQ(FormatFixed14(0x1p-15), "0.00003051757812");
    EXPECT_EQ(FormatFixed14(3 * 0x1p-15), "0.00009155273438");
    EXPECT_EQ(FormatFixed14(1.0 + 0x1p-47), "1.00000000000001");
    EXPECT_EQ(FormatFixed14(106.5), "106.50000000000000");
    EXPECT_EQ(FormatFixed14(1e300).size(), 301u + 15u);
}

TEST(FormatShortest, ReadsBackToTheSameDouble) {
    for (double v : {0.0, 0.0008, 1.0 / 3.0, 2.54, 1e-17, 0.0019999999999999}) {
        EXPECT_EQ(ReadNumber(FormatShortest(v)), v) << FormatShortest(v);
        EXPECT_EQ(ReadNumber(FormatShortestFixed(v)), v) << FormatShortestFixed(v);
        EXPECT_EQ(FormatShortestFixed(v).find('e'), std::string::npos) << FormatShortestFixed(v);
    }
}

// The shortest fixed-point text within 1e-12, else the closest of 16 characters.
TEST(RatioFieldText, ShortestCloseTextOrClosestSixteen) {
    struct Case {
        double ratio;
        const char* text;
    } cases[] = {
        {0.625, "0.625"},
        {1.0, "1"},
        {1.25 / 3.175, "0.393700787402"}, // M1.25 on an 8 TPI leadscrew
        {1.0 / 3.0, "0.333333333333"},    // 11 decimals are 3.3e-12 off
        {0.0000123, "0.0000123"},
        {4e-13, "0"},
        {12345.678901234567, "12345.6789012346"}, // nothing within 1e-12 fits: 16 characters
        {123456789012345.67, "123456789012346"},  // one more decimal would make 17
        {1e20, "9999999999999999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RatioFieldText(c.ratio), c.text) << c.ratio;
    }
}

// The one-number readers of the tool's options and the dialogs' fields: what
// each takes (a decimal comma too) and what it says about the rest.
TEST(NumberReaders, TakeOrNameTheProblem) {
    struct Case {
        std::string text;
        double positive; // ReadPositiveNumber's value, or 0 with its problem
        const char* problem;
    } cases[] = {
        {"1.25", 1.25, ""},
        {"1,25", 1.25, ""},
        {".5", 0.5, ""},
        {"12.", 12, ""},
        {"", 0, "is empty"},
        {"0", 0, "is zero"},
        {"0,0", 0, "is zero"},
        {"-2", 0, "is negative"},
        {"-2,5", 0, "is negative"},
        {"1,2,5", 0, "is not a number (digits with at most one decimal point)"},
        {"1.2,5", 0, "is not a number (digits with at most one decimal point)"},
        {"1e5", 0, "is not a number (digits with at most one decimal point)"},
        {"1" + std::string(330, '0'), 0, "is too large"},
    };
    for (const Case& c : cases) {
        double value = 0;
        EXPECT_EQ(ReadPositiveNumber(c.text, value), c.problem) << c.text;
        EXPECT_EQ(value, c.positive) << c.text;
    }
    double ratio = -1;
    EXPECT_EQ(ReadRatio("0,8", ratio), "");
    EXPECT_EQ(ratio, 0.8);
    EXPECT_EQ(ReadRatio("0", ratio), ""); // a ratio may be zero: it finds no train
    std::uint32_t whole = 7;
    for (auto [text, problem] : {std::pair{"1001", "is outside 1..1000"},
                                 {"-3", "is negative"},
                                 {"1.5", "is not a whole number"},
                                 {"", "is not a whole number"},
                                 {"99999999999", "is outside 1..1000"}}) {
        EXPECT_EQ(ReadWholeNumber(text, 1, 1000, whole), problem) << text;
    }
    EXPECT_EQ(whole, 7u);
    EXPECT_EQ(ReadWholeNumber("1000", 1, 1000, whole), "");
    EXPECT_EQ(whole, 1000u);
}

#ifndef _WIN32
// glibc's printf is correctly rounded; the Windows build runs the fixed cases above.
TEST(FormatFixed14, AgreesWithGlibcPrintf) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-20.0, 3.0);
    for (int i = 0; i < 20000; ++i) {
        double v = std::pow(10.0, magnitude(random)) * (i % 2 ? -1.0 : 1.0);
        char expected[400];
        std::snprintf(expected, sizeof expected, "%0.14f", v);
        ASSERT_EQ(FormatFixed14(v), expected) << v;
    }
}
#endif
