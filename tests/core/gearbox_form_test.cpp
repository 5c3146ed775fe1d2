#include "gearbox_form.h"

#include "example_lathes.h"
#include "lathe.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// Every example lathe's gearbox, or its lack of one, comes back from its form.
TEST(GearboxForm, ExampleLathesReadBackFromTheirForms) {
    for (const ExampleLathe& example : kExampleLathes) {
        Lathe lathe;
        ASSERT_EQ(ReadLathe(example.text, lathe).what, "") << example.file;
        std::optional<Gearbox> read = Gearbox{{{"X", 2}}, std::nullopt};
        ASSERT_EQ(ReadGearboxForm(GearboxFormOf(lathe.gearbox), lathe.leadscrew.has_value(), read),
                  std::nullopt)
            << example.file;
        EXPECT_TRUE(read == lathe.gearbox) << example.file;
    }
}

// What each form gives: a gearbox, none, or the field and line to mend, with
// the lathe's gearbox left as it was.
TEST(GearboxForm, ReadsOrNamesTheFieldAndLineToMend) {
    const std::optional<Gearbox> before = Gearbox{{{"Z", 3}}, PlateGears{0.5}};
    const struct {
        GearboxForm form;
        bool leadscrew;
        std::optional<GearboxField> field; // none: read
        std::size_t line;
        std::string_view what; // the refusal's start; read: the plate's gears' text, "-" for none
    } cases[] = {
        {{"A1 = 0.5\r\nB5 = 11 tpi\r\n", "40:80"}, true, std::nullopt, 0, "40:80"},
        {{"A1 = 0.5", " "}, false, std::nullopt, 0, "-"},
        {{" \r\n\r\n", "not read"}, false, std::nullopt, 0, ""}, // no gearbox
        {{"A1 = 0.5\r\n\r\nB2 = 11 tqi", "40:80"}, true, GearboxField::Lines, 3, "line 3: setting 'B2'"},
        {{"A1 = 0.5\nA1 = 2", ""}, true, GearboxField::Lines, 2, "line 2: setting 'A1' is named twice"},
        {{"A1 = 0.5", "40:8"}, true, GearboxField::Plate, 0, "Plate gears '40:8' holds '8'"},
        {{"B5 = 11 tpi", ""}, true, GearboxField::Plate, 0, "setting 'B5' is given by its thread"},
        {{"B5 = 11 tpi", "40:80"}, false, GearboxField::Lines, 0, "setting 'B5' is given by its thread"},
    };
    for (const auto& c : cases) {
        std::optional<Gearbox> gearbox = before;
        const std::optional<GearboxFormProblem> problem = ReadGearboxForm(c.form, c.leadscrew, gearbox);
        if (c.field) {
            ASSERT_TRUE(problem.has_value()) << c.form.lines;
            EXPECT_EQ(problem->field, *c.field) << c.form.lines;
            EXPECT_EQ(problem->line, c.line) << c.form.lines;
            EXPECT_EQ(problem->what.substr(0, c.what.size()), c.what);
            EXPECT_TRUE(gearbox == before) << "a refused form changes nothing";
        } else if (c.what.empty()) {
            EXPECT_EQ(problem, std::nullopt);
            EXPECT_FALSE(gearbox.has_value()) << "an empty list takes the gearbox away";
        } else {
            ASSERT_EQ(problem, std::nullopt) << problem->what;
            ASSERT_TRUE(gearbox.has_value());
            EXPECT_EQ(gearbox->plate ? PlateGearsText(*gearbox->plate) : "-", c.what);
        }
    }
}

} // namespace
