#include "solution_texts.h"

#include <gtest/gtest.h>

namespace {

const SolutionRecord kTwoThirds{0.0, 20, 30, 25, 36};
const SolutionRecord kSevenTwelfths{0.0, 20, 40, 30, 50};

} // namespace

TEST(SolutionTexts, OptionFlagsPlaceTheGears) {
    struct Case {
        bool driverSmaller, drivenLarger;
        const char *firstDriver, *firstDriven, *secondDriver, *secondDriven;
    } cases[] = {
        {true, true, "20", "36", "30", "25"},
        {false, false, "30", "25", "20", "36"},
        {false, true, "30", "36", "20", "25"},
        {true, false, "20", "25", "30", "36"},
    };
    for (const Case& c : cases) {
        SolutionTexts texts = MakeSolutionTexts(kTwoThirds, "0.6667", c.driverSmaller, c.drivenLarger);
        SCOPED_TRACE(testing::Message() << c.driverSmaller << c.drivenLarger);
        EXPECT_EQ(texts.firstDriver, c.firstDriver);
        EXPECT_EQ(texts.firstDriven, c.firstDriven);
        EXPECT_EQ(texts.secondDriver, c.secondDriver);
        EXPECT_EQ(texts.secondDriven, c.secondDriven);
        // Swapping gears within a pair does not change the train.
        EXPECT_EQ(texts.achievedRatio, "0.66666666666667");
        EXPECT_EQ(texts.error, "-0.00003333333333");
    }
}

TEST(SolutionTexts, ErrorAndZeroCountFollowTheRatioText) {
    struct Case {
        const SolutionRecord& record;
        const char* ratioText;
        const char* error;
        const char* zeroCount;
    } cases[] = {
        {kTwoThirds, "0.6667", "-0.00003333333333", "4"},
        {kTwoThirds, "0.66", "0.00666666666667", "2"},
        {kTwoThirds, "0.6666666666667", "-0.00000000000003", "13"},
        // Negative zero is shown without its sign and has no zero count.
        {kTwoThirds, "0.66666666666667", "0.00000000000000", ""},
        {kTwoThirds, "1.9", "-1.23333333333333", ""},
        {kTwoThirds, "", "0.66666666666667", ""},
        {kTwoThirds, "abc", "0.66666666666667", ""},
        {kSevenTwelfths, "0.5833", "-0.04996666666667", "1"},
        {kSevenTwelfths, "1", "-0.46666666666667", ""},
        // Only the first 17 characters give the target; long texts are never cut.
        {kTwoThirds, "1234567890123456789", "-12345678901234568.00000000000000", ""},
    };
    for (const Case& c : cases) {
        SolutionTexts texts = MakeSolutionTexts(c.record, c.ratioText, true, true);
        EXPECT_EQ(texts.error, c.error) << c.ratioText;
        EXPECT_EQ(texts.zeroCount, c.zeroCount) << c.ratioText;
    }
}

TEST(SolutionTexts, AchievedRatioKeepsTheOrderOfOperations) {
    // For 16/18 * 16/20 the grouping decides the last bit.
    SolutionRecord record{0.0, 16, 16, 18, 20};
    double inOrder = 16.0 / 18.0;
    inOrder *= 16.0;
    inOrder /= 20.0;
    ASSERT_NE(inOrder, (16.0 * 16.0) / (18.0 * 20.0));
    EXPECT_EQ(AchievedRatio(record), inOrder);
}

TEST(ZeroCount, CountsZerosAfterTheDecimalPoint) {
    struct Case {
        const char* text;
        std::optional<unsigned> count;
    } cases[] = {
        {"0.01000000000000", 1u},
        {"-0.01000000000000", 1u},
        {"0.00000000000001", 13u},
        {"-0.00000000000001", 13u},
        {"0.10000000000000", std::nullopt},
        {"-0.10000000000000", std::nullopt},
        {"0.00000000000000", std::nullopt},
        {"-0.00000000000000", std::nullopt},
        {"1.00100000000000", std::nullopt},
        {"-2.00000000000000", std::nullopt},
        {"10.00100000000000", std::nullopt},
        {"", std::nullopt},
        // Non-finite texts have no decimal point to count from.
        {"-inf", std::nullopt},
        {"-nan", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZeroCount(c.text), c.count) << c.text;
    }
}

TEST(SolutionTexts, NonFiniteErrorKeepsItsSign) {
    SolutionTexts texts = MakeSolutionTexts(kTwoThirds, "1e999", true, true);
    EXPECT_EQ(texts.error, "-inf");
    EXPECT_EQ(texts.zeroCount, "");
}
