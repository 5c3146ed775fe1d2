// The gearbox as a form takes it: the window's gearbox dialog. The settings
// are "name = value" lines in one text, the plate's gears a text of their
// own; both read as the lathe file reads them, and checked together as the
// lathe file checks its [gearbox].
#pragma once

#include "gearbox.h"

#include <cstddef>
#include <optional>
#include <string>

struct GearboxForm {
    std::string lines; // GearboxLines: one setting a line
    std::string plate; // PlateGearsText; empty where the plate names no gears
};

// The form of the lathe's gearbox; both texts empty without one.
GearboxForm GearboxFormOf(const std::optional<Gearbox>& gearbox);

enum class GearboxField { Lines, Plate };

// What is wrong with a form: the field to mend, the line of the lines that is
// refused (from 1; 0 where the field as a whole is) and why.
struct GearboxFormProblem {
    GearboxField field;
    std::size_t line = 0;
    std::string what;
};

// Reads the form into the lathe's gearbox: none where the lines hold no
// setting (an empty list takes the gearbox away, whatever the plate's field
// holds); otherwise its settings and the plate's gears (none where that field
// is empty), which GearboxProblem accepts for a lathe with a leadscrew or
// without. Says what is wrong with the first field that does not read
// instead, and leaves gearbox as it was.
std::optional<GearboxFormProblem> ReadGearboxForm(const GearboxForm& form, bool hasLeadscrew,
                                                  std::optional<Gearbox>& gearbox);
