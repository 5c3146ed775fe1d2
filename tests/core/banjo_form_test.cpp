#include "banjo_form.h"

#include "lathe.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr BanjoFieldNames kNames{{"Module", "Centre distance", "Stud min", "Stud max", "Clearance",
                                  "Largest on spindle", "Largest on leadscrew"},
                                 "DP"};

std::string& Text(BanjoForm& form, BanjoField field) {
    return form.texts[static_cast<std::size_t>(field)];
}

// The lathe file's reader is the judge: a form reads exactly when the same
// figures as a [banjo] table read, and into the same banjo. The texts are
// numbers as both write them (no leading zeros, no "-0", no decimal comma),
// from zero to past every limit, with the largest gears left out at times.
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
        const char* keys[] = {form.dp ? "dp" : "module",
                              "centre_distance",
                              "stud_min",
                              "stud_max",
                              "clearance",
                              "max_a",
                              "max_last"};
        for (std::size_t k = 0; k < kBanjoFields; ++k) {
            const bool teeth = k >= static_cast<std::size_t>(BanjoField::MaxA);
            if (teeth && uniform(0, 2) == 0) {
                continue; // no largest gear
            }
            form.texts[k] = number(teeth && uniform(0, 5) != 0);
            table += std::string(keys[k]) + " = " + form.texts[k] + "\n";
        }
        Lathe lathe;
        const bool fileReads = ReadLathe(table, lathe).what.empty();
        Banjo banjo;
        std::optional<double> dp;
        const std::optional<BanjoFormProblem> problem = ReadBanjoForm(form, kNames, banjo, dp);
        ASSERT_EQ(!problem, fileReads) << table << (problem ? problem->what : "");
        if (fileReads) {
            ASSERT_EQ(banjo, *lathe.banjo) << table;
            ASSERT_EQ(dp, lathe.dp) << table;
            ++read;
        }
    }
    EXPECT_GT(read, 200); // both sides of the judgement are met
}

// A banjo's form reads back to it, and a form without a banjo offers the default clearance.
TEST(BanjoForm, GivesTheBanjoBackAndRefusesAFieldInItsLabelsWords) {
    const Banjo imperial{.module = 25.4 / 16,
                         .centreDistance = 150,
                         .studMin = 45.5,
                         .studMax = 125,
                         .clearance = 0,
                         .maxA = {},
                         .maxLast = 80};
    for (const std::optional<double>& given : {std::optional<double>(16), std::optional<double>()}) {
        const Banjo banjo = given ? imperial
                                  : Banjo{.module = 1.25,
                                          .centreDistance = 90,
                                          .studMin = 35,
                                          .studMax = 80,
                                          .clearance = 2.5,
                                          .maxA = 40,
                                          .maxLast = {}};
        Banjo back;
        std::optional<double> dp;
        EXPECT_FALSE(ReadBanjoForm(FormOf(banjo, given), kNames, back, dp).has_value());
        EXPECT_EQ(back, banjo);
        EXPECT_EQ(dp, given);
    }
    const BanjoForm empty = FormOf(std::nullopt, std::nullopt);
    EXPECT_EQ(empty.texts, (std::array<std::string, kBanjoFields>{"", "", "", "", "3", "", ""}));

    const struct {
        BanjoField field;
        const char* text;
        BanjoField refused;
        std::string what;
    } cases[] = {
        {BanjoField::Pitch, "", BanjoField::Pitch, "DP '' is empty"},
        {BanjoField::Pitch, "0", BanjoField::Pitch, "DP '0' is zero"},
        {BanjoField::CentreDistance, "150 mm", BanjoField::CentreDistance,
         "Centre distance '150 mm' is not a number (digits with at most one decimal point)"},
        {BanjoField::StudMax, "40", BanjoField::StudMin, "Stud min '45.5' is above stud max '40'"},
        {BanjoField::Clearance, "-1", BanjoField::Clearance, "Clearance '-1' is negative"},
        {BanjoField::MaxA, "170", BanjoField::MaxA, "Largest on spindle '170' is outside 16..165"},
        {BanjoField::MaxLast, "80.5", BanjoField::MaxLast,
         "Largest on leadscrew '80.5' is not a whole number"},
    };
    for (const auto& c : cases) {
        BanjoForm form = FormOf(imperial, 16);
        Text(form, c.field) = c.text;
        Banjo back;
        std::optional<double> dp;
        const std::optional<BanjoFormProblem> problem = ReadBanjoForm(form, kNames, back, dp);
        ASSERT_TRUE(problem.has_value()) << c.what;
        EXPECT_EQ(problem->field, c.refused);
        EXPECT_EQ(problem->what, c.what);
    }
    // A decimal comma, as the window's other fields take it; the clearance's zero in any form.
    BanjoForm form = FormOf(imperial, std::nullopt);
    Text(form, BanjoField::Pitch) = "1,5";
    Text(form, BanjoField::Clearance) = "0,0";
    Banjo back;
    std::optional<double> dp;
    EXPECT_FALSE(ReadBanjoForm(form, kNames, back, dp).has_value());
    EXPECT_EQ(back.module, 1.5);
    EXPECT_EQ(back.clearance, 0);
}

} // namespace
