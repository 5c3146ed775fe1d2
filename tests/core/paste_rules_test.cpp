#include "paste_rules.h"

#include <gtest/gtest.h>

#include <string>

TEST(PasteRules, TestAndTrimOfClipboardTexts) {
    struct Case {
        std::string text;
        bool passes;
        std::string kept;
    } cases[] = {
        {"3.25\r\n", true, "3.25"},
        {"-2.5", true, ""},
        {"2,5", true, "2.5"},
        {"0,8\r\n", true, "0.8"},
        {"0,0", false, "0.0"},
        {"1,234.5", true, "1"}, // a comma beside a point is no decimal comma
        {"1e5", true, "1"},
        {"1E5", false, "1"},
        {"1e+5", false, "1"},
        {"1e-5", false, "1"},
        {"2.5 ", false, "2.5"},
        {"0", false, "0"},
        {"0.000", false, "0.000"},
        {"0." + std::string(400, '0') + "1", false, "0." + std::string(400, '0') + "1"},
        {"abc", false, ""},
        {"", false, ""},
        {"1.2.3", true, "1.2"},
        {"\t3.5", true, ""},
        {"\n3.5", true, ""},
        {"12345678901234567890", true, "12345678901234567890"},
        {".5", true, ".5"},
        {"4/3", true, "4"},
        {"12a", true, "12"},
        {"12A", false, "12"},
        {"7\xb2", true, "7"},
        {std::string("5\0"
                     "9",
                     3),
         true, "5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PassesPasteTest(c.text), c.passes) << '"' << c.text << '"';
        EXPECT_EQ(PasteTrim(c.text), c.kept) << '"' << c.text << '"';
    }
}

TEST(PasteRules, TrimKeepsAtMost1023Characters) {
    std::string digits(1023, '7');
    EXPECT_EQ(PasteTrim(digits), digits);
    EXPECT_EQ(PasteTrim(digits + "123"), digits);
    EXPECT_EQ(PasteTrim("1." + std::string(1100, '5')), "1." + std::string(1021, '5'));
}
