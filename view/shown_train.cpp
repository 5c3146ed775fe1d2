#include "shown_train.h"

#include "mount.h"

#include <algorithm>

std::uint32_t ShownGearCount(TrainKind kind, const SolutionRecord* shown) {
    if (shown) {
        return shown->gears;
    }
    return kind == TrainKind::Simple ? 2 : kind == TrainKind::Six ? 6 : 4;
}

bool DrawnToScale(const ShowSettings& settings, std::uint32_t gears) {
    return gears != 4 || settings.banjo.has_value();
}

bool OptionBoxesApply(const ShowSettings& settings, std::uint32_t gears) {
    return gears > 2 && !settings.fitMargin && !settings.banjo;
}

ShownTrain ShowTrain(const SolutionRecord& train, const ShowSettings& settings) {
    if (std::optional<std::vector<std::uint32_t>> positions =
            Positions(train, ArrangeRule(settings.fitMargin, settings.banjo))) {
        return {std::move(*positions), settings.banjo.has_value()};
    }
    if (train.gears == 2) {
        return {{train.driver1, train.idler, train.driven1}, false};
    }
    std::vector<std::uint32_t> drivers = Drivers(train); // ascending
    std::vector<std::uint32_t> driven = Driven(train);
    if (!settings.firstDriverSmaller) {
        std::ranges::reverse(drivers);
    }
    if (settings.firstDrivenLarger) {
        std::ranges::reverse(driven);
    }
    ShownTrain shown;
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        shown.gears.push_back(drivers[i]);
        shown.gears.push_back(driven[i]);
    }
    return shown;
}

std::string PlateGearsKey(const std::optional<Gearbox>& gearbox) {
    if (!gearbox || !gearbox->plate) {
        return "plate gears";
    }
    const PlateGears& plate = *gearbox->plate;
    return "plate gears: " + std::string(plate.drivers.empty() ? "ratio " : "") + PlateGearsText(plate);
}

std::string GearsText(const std::vector<std::uint32_t>& gears, std::string_view joint, std::size_t width) {
    std::string text;
    for (const std::uint32_t teeth : gears) {
        const std::string tooth = std::to_string(teeth);
        text += text.empty() ? "" : joint;
        text += std::string(width > tooth.size() ? width - tooth.size() : 0, ' ') + tooth;
    }
    return text;
}

std::string ModesText(const ShowSettings& settings, bool everyTrain) {
    std::vector<const char*> modes;
    if (everyTrain) {
        modes.push_back("every train");
    }
    if (settings.fitMargin) {
        modes.push_back("fit");
    }
    if (settings.banjo) {
        modes.push_back("banjo geometry");
    }
    switch (settings.kind) {
    case TrainKind::Simple:
        modes.push_back("2 gears");
        break;
    case TrainKind::Six:
        modes.push_back("6 gears");
        break;
    case TrainKind::Any:
        modes.push_back("2, 4 or 6 gears");
        break;
    case TrainKind::Compound:
        break;
    }
    std::string text;
    for (const char* mode : modes) {
        text += text.empty() ? "" : " \u00B7 ";
        text += mode;
    }
    return text;
}
