#include "gauge.h"

#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

TEST(GaugeRightEnd, ErrorTexts) {
    struct Case {
        const char* text;
        std::optional<int> x;
    } cases[] = {
        {"", std::nullopt},
        {"0.00000000000000", std::nullopt},
        {"0.00003333333333", 109},
        {"-0.04996666666667", 82},
        {"0.01000000000000", 82},
        {"0.00000000000010", 182},
        {"0.00000000000001", 191},
        {"0.10000000000000", std::nullopt},
        {"-0.46666666666667", std::nullopt},
        {"2.50000000000000", std::nullopt},
        {"0.000000000000001", std::nullopt},
        {"abc", std::nullopt},
        // Only 24 characters are read: the number must begin within them.
        {"                    0.05", 82},
        {"                     0.05", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GaugeRightEnd(c.text), c.x) << '"' << c.text << '"';
    }
}

TEST(GaugeRightEnd, BandBoundsLowerInclusiveUpperExclusive) {
    // Each band's lower bound, its x, and the x of the band below (none below 1e-15).
    struct Case {
        double from;
        std::optional<int> x, below;
    } cases[] = {
        {0.1, std::nullopt, 82}, {0.01, 82, 91},
        {0.001, 91, 100},        {1e-4, 100, 109},
        {1e-5, 109, 118},        {1e-6, 118, 127},
        {1e-7, 127, 136},        {1e-8, 136, 143},
        {1e-9, 143, 153},        {1e-10, 153, 162},
        {1e-11, 162, 171},       {1e-12, 171, 182},
        {1e-13, 182, 191},       {1e-15, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        double justBelow = std::nextafter(c.from, 0.0);
        for (double sign : {1.0, -1.0}) {
            std::string atBound = FormatShortest(sign * c.from);
            std::string belowBound = FormatShortest(sign * justBelow);
            EXPECT_EQ(GaugeRightEnd(atBound), c.x) << atBound;
            EXPECT_EQ(GaugeRightEnd(belowBound), c.below) << belowBound;
        }
    }
}

TEST(GaugeRightEnd, AgreesWithTheZeroCountOfFormattedErrors) {
    // Every 14-decimal error text reaches as far as its zero count: band k for k zeros.
    for (int zeros = 1; zeros <= 13; ++zeros) {
        for (const char* digits : {"1", "5", "99"}) {
            std::string text = "0." + std::string(zeros, '0') + digits;
            text.resize(16, '0');
            static const int kX[] = {82, 91, 100, 109, 118, 127, 136, 143, 153, 162, 171, 182, 191};
            EXPECT_EQ(GaugeRightEnd(text), kX[zeros - 1]) << text;
            EXPECT_EQ(GaugeRightEnd("-" + text), kX[zeros - 1]) << text;
        }
    }
}
