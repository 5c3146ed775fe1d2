// What is shown about one train beside the window's texts, for the tool's
// outputs, the chart window and the printed chart: how its gears go on, the
// lead it cuts and its error; and the lines that say how trains are checked
// and arranged.
#pragma once

#include "banjo.h"
#include "fit.h"
#include "mount.h"
#include "search.h"
#include "solution_texts.h"
#include "thread.h"
#include "train.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TrainFacts {
    SolutionTexts texts;
    std::optional<Arrangement> arrangement;              // four gears, with the fit or the banjo
    std::optional<std::vector<std::uint32_t>> positions; // any train whose arrangement is known (Positions)
    std::optional<double> stud;                          // with the banjo, for a train that mounts: mm
    double signedError = 0;     // the achieved ratio minus the target, as texts.error
    std::optional<double> lead; // with a thread: mm
    double leadErrorPpm = 0;
    double leadInUnit = 0;          // the lead in the thread's unit
    double measuredLeadError = 0;   // in µm over 25 mm or thou per inch
    std::string leadText;           // "11.0067 TPI (2.307692 mm)"
    std::string leadErrorText;      // "-605.7 ppm, 0.61 thou per inch"
    std::optional<DialAdvice> dial; // with a thread on a lathe with a dial: where the half-nut may close
    std::string dialText;           // "dial: every other line (2, 4, 6, 8 or 1, 3, 5, 7)"; empty without
    std::string setting;            // behind a gearbox: the setting's name; empty without
    std::string settingText;        // "setting B3", "setting B3, plate gears"; empty without
};

// How trains are arranged for showing: the fit's rule, or the banjo's
// geometry (ArrangeRule), and the banjo for the stud's place.
struct Arranging {
    std::optional<MountRule> rule;
    std::optional<Banjo> banjo;
};

Arranging ArrangingOf(const std::optional<std::uint32_t>& fitMargin, const std::optional<Banjo>& banjo);

// The window's order of the gears, as its option boxes set it.
struct GearOrder {
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
};

// gearbox: the search's, which names the train's setting.
TrainFacts FactsOf(const GearOrder& order, const Arranging& arranging, const SolutionRecord& record,
                   double target, const std::optional<Thread>& thread,
                   const std::optional<BoxSettings>& gearbox = std::nullopt);

// The setting a train is cut at, as every front end says it: "setting B3",
// or "setting B3, plate gears" where the plate's own gears do; empty without
// a gearbox.
std::string SettingText(const SolutionRecord& record, const std::optional<BoxSettings>& gearbox);
// The same without the word, as a chart's Setting column holds it: "B3", "B3, plate gears".
std::string SettingCell(const SolutionRecord& record, const std::optional<BoxSettings>& gearbox);

// The line before a gearbox's trains: "Gearbox: 24 settings, each with the
// change gears searched" or "..., with the plate's gears only"; empty without.
std::string GearboxLine(const std::optional<BoxSettings>& gearbox);

// The train's gears as one text: in position order where they are arranged,
// each right-aligned in `width` columns ("20 55 22 127"); otherwise "drivers
// 20·22 / driven 55·127", with a simple train's idler, "(idler 30)"; "plate
// gears" for the plate's own.
std::string TrainGearsText(const SolutionRecord& record, const TrainFacts& facts, std::size_t width = 0);

// The gears as a machinist sets them up: A, B, C, D of the arrangement.
std::array<std::string, 4> GearsAbcd(const Arrangement& g);

// The drivers (or the driven gears): ascending, or in position order (A, C,
// E; B, D, F) where the train is arranged; a simple train's A (or D).
std::vector<std::uint32_t> SideGears(const SolutionRecord& record, const TrainFacts& facts, bool drivers);

// The stud's distance from the leadscrew in a CSV field: empty without one.
std::string StudField(const TrainFacts& facts);

// The lines before a list of trains that say how they are checked and
// arranged: the banjo, the fit, and the positions wherever trains show them.
std::string ArrangingLines(const std::optional<std::uint32_t>& fitMargin, const std::optional<Banjo>& banjo,
                           TrainKind train);
