#include "banjo_form.h"

#include "lathe.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr BanjoFieldNames kNames{{"Module", "Centre distance", "Stud min", "Stud max", "Clearance",
                                  "Largest on spindle", "Largest on leadscrew"},
                                 "DP"};

// The lathe file's reader is the judge: a form reads exactly when the same
// figures as a [banjo] table read, and into the same banjo, whose form reads
// back to it. The texts are numbers as both write them (no leading zeros, no
// "-0", no decimal comma), from zero to past every limit, with the largest
// gears left out at times.
TEST(BanjoForm, ReadsAsTheLatheFileReadsTheSameFigures) {
    std::mt19937 random(26);
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto number = [&](bool whole) {
        std::string text = std::to_string(uniform(0, 3) == 0 ? uniform(0, 2) : uniform(1, 200));
        if (!whole && uniform(0, 2) == 0) {
            text += '.';
            text += std::to_string(uniform(0, 99));
        }
        if (uniform(0, 15) == 0 && text != "0") {
            text.insert(text.begin(), '-');
        }
        return text;
    };
    int read = 0;
    for (int i = 0; i < 5000; ++i) {
        BanjoForm form;
        form.dp = uniform(0, 1) == 1;
        std::string table = "gears = \"20-80\"\n[banjo]\n";
        for (std::size_t k = 0; k < kBanjoFields; ++k) {
            const std::string keys[] = {form.dp ? "dp" : "module",
                                        "centre_distance",
                                        "stud_min",
                                        "stud_max",
                                        "clearance",
                                        "max_a",
                                        "max_last"};
            const bool teeth = k >= static_cast<std::size_t>(BanjoField::MaxA);
            if (teeth && uniform(0, 2) == 0) {
                continue; // no largest gear
            }
            form.texts[k] = number(teeth && uniform(0, 5) != 0);
            table += keys[k] + " = " + form.texts[k] + "\n";
        }
        Lathe lathe;
        Banjo banjo;
        std::optional<double> dp;
        const bool fileReads = ReadLathe(table, lathe).what.empty();
        ASSERT_EQ(!ReadBanjoForm(form, kNames, banjo, dp), fileReads) << table;
        if (fileReads) {
            ASSERT_TRUE(banjo == *lathe.banjo && dp == lathe.dp) << table;
            ASSERT_FALSE(ReadBanjoForm(FormOf(banjo, dp), kNames, banjo, dp)) << table;
            ASSERT_EQ(banjo, *lathe.banjo) << table;
            ++read;
        }
    }
    EXPECT_GT(read, 200); // both sides of the judgement are met
}

} // namespace
