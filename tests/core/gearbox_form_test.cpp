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
        ASSERT_FALSE(ReadGearboxForm(GearboxFormOf(lathe.gearbox), lathe.leadscrew.has_value(), read));
        EXPECT_TRUE(read == lathe.gearbox) << example.file;
    }
}

// The field and line to mend, the lathe's gearbox left as it was; a blank
// plate field is no plate gears.
TEST(GearboxForm, NamesTheFieldAndLineToMend) {
    const std::optional<Gearbox> before = Gearbox{{{"Z", 3}}, PlateGears{0.5}};
    const struct {
        GearboxForm form;
        bool leadscrew;
        GearboxField field;
        std::size_t line;
        std::string_view what;
    } cases[] = {
        {{"A1 = 0.5\r\n\r\nA1 = 2", ""}, true, GearboxField::Lines, 3, "line 3: setting 'A1' is named twice"},
        {{"B5 = 11 tpi", " "}, true, GearboxField::Plate, 0, "setting 'B5' is given by its thread: plate_"},
        {{"B5 = 11 tpi", "40:80"}, false, GearboxField::Lines, 0, "setting 'B5' is given by its thread: the"},
    };
    for (const auto& c : cases) {
        std::optional<Gearbox> gearbox = before;
        const std::optional<GearboxFormProblem> problem = ReadGearboxForm(c.form, c.leadscrew, gearbox);
        ASSERT_TRUE(problem.has_value()) << c.what;
        EXPECT_EQ(problem->field, c.field) << c.what;
        EXPECT_EQ(problem->line, c.line) << c.what;
        EXPECT_EQ(problem->what.substr(0, c.what.size()), c.what);
        EXPECT_TRUE(gearbox == before) << "a refused form changes nothing";
    }
}

} // namespace
