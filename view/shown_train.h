// How the window shows a train and the settings in force: the gears in the
// order they go on, whether the train is drawn to scale, whether the option
// boxes order it, and the modes named below the gear grid.
#pragma once

#include "banjo.h"
#include "gearbox.h"
#include "search.h"
#include "train.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What decides how a train is shown: the kind of train searched, the fit
// margin in force (none while the fit is off), the lathe's banjo and the
// option boxes "First driver smaller" and "First driven larger".
struct ShowSettings {
    TrainKind kind = TrainKind::Compound;
    std::optional<std::uint32_t> fitMargin{};
    std::optional<Banjo> banjo{};
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
};

// The count of gears of the train shown, which decides how it shows: its own,
// or with none shown the kind's (four with every kind, whose empty list keeps
// the fixed diagram).
std::uint32_t ShownGearCount(TrainKind kind, const SolutionRecord* shown);

// Trains of two or six gears, and every train on a banjo, are drawn to scale
// at their positions; four gears without a banjo keep the fixed diagram with
// its four tooth fields. gears: ShownGearCount.
bool DrawnToScale(const ShowSettings& settings, std::uint32_t gears);

// The option boxes order the gears only while nothing else does: no fit, no
// banjo, and a train of more than one arrangement (not a simple train, nor
// the plate's own gears).
bool OptionBoxesApply(const ShowSettings& settings, std::uint32_t gears);

struct ShownTrain {
    std::vector<std::uint32_t> gears; // in position order: A, then each shaft's gears to the leadscrew's
    bool onBanjo = false;             // arranged by the banjo's geometry, so placed on it
};

// The arrangement the fit or the banjo finds for the train (ArrangeRule,
// Positions); otherwise a simple train's A, idler, D, and the others' drivers
// and driven gears in turn, each trio or pair in the option boxes' order.
ShownTrain ShowTrain(const SolutionRecord& train, const ShowSettings& settings);

// What a drawing shows for the plate's own gears (a train of no gears, which
// nothing searched and nothing places): "plate gears: 40:80" or "plate gears:
// 20 127 / 60 50" where the plate names its train, "plate gears: ratio 0.5"
// where it gives their ratio.
std::string PlateGearsKey(const std::optional<Gearbox>& gearbox);

// The tooth counts joined by spaces: "20 80 30 70", as the thread line and
// the CSV fields write them; by another joint, "20·35" or "20 and 35"; each
// right-aligned in `width` columns where a list lines them up.
std::string GearsText(const std::vector<std::uint32_t>& gears, std::string_view joint = " ",
                      std::size_t width = 0);

// The modes that are not as at the start, joined by " · ": "every train",
// "fit", "banjo geometry" and the kind of train ("2 gears", "6 gears");
// empty when none is.
std::string ModesText(const ShowSettings& settings, bool everyTrain);
