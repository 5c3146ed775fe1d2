#include "gearbox_form.h"

#include "number_text.h"

GearboxForm GearboxFormOf(const std::optional<Gearbox>& gearbox) {
    if (!gearbox) {
        return {};
    }
    return {GearboxLines(*gearbox), gearbox->plate ? PlateGearsText(*gearbox->plate) : ""};
}

std::optional<GearboxFormProblem> ReadGearboxForm(const GearboxForm& form, bool hasLeadscrew,
                                                  std::optional<Gearbox>& gearbox) {
    Gearbox read;
    std::size_t line = 0;
    if (std::string problem = ReadGearboxLines(form.lines, read, &line); !problem.empty()) {
        return GearboxFormProblem{GearboxField::Lines, line, std::move(problem)};
    }
    if (read.settings.empty()) {
        gearbox.reset();
        return std::nullopt;
    }
    if (!TrimSpaces(form.plate).empty()) {
        PlateGears plate;
        if (std::string problem = ReadPlateGears(form.plate, plate); !problem.empty()) {
            return GearboxFormProblem{GearboxField::Plate, 0,
                                      "Plate gears " + Quoted(TrimSpaces(form.plate)) + " " + problem};
        }
        read.plate = std::move(plate);
    }
    // A setting given by its thread without the plate's gears is mended in the plate's field.
    const GearboxSetting* concerned = nullptr;
    if (std::string problem = GearboxProblem(read, hasLeadscrew, &concerned); !problem.empty()) {
        return GearboxFormProblem{concerned && !read.plate ? GearboxField::Plate : GearboxField::Lines, 0,
                                  std::move(problem)};
    }
    gearbox = std::move(read);
    return std::nullopt;
}
