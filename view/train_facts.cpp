#include "train_facts.h"

#include "number_text.h"
#include "shown_train.h"

namespace {

// What the positions of each kind of train are, in the output's words.
std::string PositionsNames(std::uint32_t gears) {
    switch (gears) {
    case 2:
        return "A (spindle) I (stud) D (leadscrew)";
    case 6:
        return "A (spindle) B C (stud 1) D E (stud 2) F (leadscrew)";
    default:
        break;
    }
    return "A (spindle) B C (stud) D (leadscrew)";
}

std::vector<std::uint32_t> KindsOf(TrainKind train) {
    switch (train) {
    case TrainKind::Simple:
        return {2};
    case TrainKind::Six:
        return {6};
    case TrainKind::Any:
        return {2, 4, 6};
    case TrainKind::Compound:
        break;
    }
    return {4};
}

std::string FitLine(std::uint32_t margin) {
    return "Fit: margin " + std::to_string(margin) +
           " teeth; A on the spindle meshes B on the stud, C beside B meshes D on the leadscrew\n";
}

} // namespace

Arranging ArrangingOf(const std::optional<std::uint32_t>& fitMargin, const std::optional<Banjo>& banjo) {
    return {ArrangeRule(fitMargin, banjo), banjo};
}

TrainFacts FactsOf(const GearOrder& order, const Arranging& arranging, const SolutionRecord& record,
                   double target, const std::optional<Thread>& thread,
                   const std::optional<BoxSettings>& gearbox) {
    TrainFacts facts;
    facts.settingText = SettingText(record, gearbox);
    if (!facts.settingText.empty()) {
        facts.setting = gearbox->names[record.setting - 1];
    }
    facts.texts = MakeSolutionTexts(record, target, order.firstDriverSmaller, order.firstDrivenLarger);
    facts.signedError = AchievedRatio(record) - target;
    facts.positions = Positions(record, arranging.rule);
    if (facts.positions && facts.positions->size() == 4) {
        const std::vector<std::uint32_t>& g = *facts.positions;
        facts.arrangement = Arrangement{g[0], g[1], g[2], g[3]};
    }
    if (facts.positions && arranging.banjo) {
        facts.stud = StudDistance(*arranging.banjo, *facts.positions);
    }
    if (thread) {
        facts.lead = LeadOfRatio(*thread, TrainRatio(record));
        facts.leadErrorPpm = LeadErrorPpm(*thread, TrainRatio(record));
        facts.leadInUnit = LeadInUnit(*thread, *facts.lead);
        facts.measuredLeadError = MeasuredLeadError(*thread, facts.leadErrorPpm);
        facts.leadText = LeadText(*thread, *facts.lead);
        facts.leadErrorText = LeadErrorText(*thread, facts.leadErrorPpm);
        facts.dial = DialOf(*thread, TrainRatio(record));
        if (facts.dial) {
            facts.dialText = DialText(*thread->dial, *facts.dial);
        }
    }
    return facts;
}

std::string SettingCell(const SolutionRecord& record, const std::optional<BoxSettings>& gearbox) {
    if (!gearbox || record.setting == 0 || record.setting > gearbox->names.size()) {
        return {};
    }
    return gearbox->names[record.setting - 1] + (record.gears == 0 ? ", plate gears" : "");
}

std::string SettingText(const SolutionRecord& record, const std::optional<BoxSettings>& gearbox) {
    const std::string cell = SettingCell(record, gearbox);
    return cell.empty() ? cell : "setting " + cell;
}

std::string GearboxLine(const std::optional<BoxSettings>& gearbox) {
    if (!gearbox) {
        return {};
    }
    const std::size_t count = gearbox->names.size();
    return "Gearbox: " + std::to_string(count) + (count == 1 ? " setting" : " settings") +
           (gearbox->plateOnly ? ", with the plate's gears only" : ", each with the change gears searched") +
           "\n";
}

std::string TrainGearsText(const SolutionRecord& record, const TrainFacts& facts, std::size_t width) {
    if (record.gears == 0) {
        return "plate gears";
    }
    if (facts.positions) {
        return GearsText(*facts.positions, " ", width);
    }
    std::string text = "drivers " + GearsText(Drivers(record), "\u00B7") + " / driven " +
                       GearsText(Driven(record), "\u00B7");
    if (record.gears == 2) {
        text += " (idler " + std::to_string(record.idler) + ")";
    }
    return text;
}

std::array<std::string, 4> GearsAbcd(const Arrangement& g) {
    return {std::to_string(g[0]), std::to_string(g[1]), std::to_string(g[2]), std::to_string(g[3])};
}

std::vector<std::uint32_t> SideGears(const SolutionRecord& record, const TrainFacts& facts, bool drivers) {
    if (!facts.positions) {
        return drivers ? Drivers(record) : Driven(record);
    }
    const std::vector<std::uint32_t>& g = *facts.positions;
    if (record.gears == 2) {
        return std::vector<std::uint32_t>{drivers ? g.front() : g.back()};
    }
    std::vector<std::uint32_t> some;
    for (std::size_t i = drivers ? 0 : 1; i < g.size(); i += 2) {
        some.push_back(g[i]);
    }
    return some;
}

std::string StudField(const TrainFacts& facts) {
    return facts.stud ? FormatShortest(*facts.stud) : "";
}

std::string ArrangingLines(const std::optional<std::uint32_t>& fitMargin, const std::optional<Banjo>& banjo,
                           TrainKind train) {
    std::string out;
    if (banjo) {
        out += "Banjo: module " + FormatShortest(banjo->module) + " mm, centre distance " +
               FormatShortest(banjo->centreDistance) + " mm, stud " + FormatShortest(banjo->studMin) +
               " to " + FormatShortest(banjo->studMax) + " mm from the leadscrew, clearance " +
               FormatShortest(banjo->clearance) + " mm";
        if (banjo->maxA) {
            out += ", A at most " + std::to_string(*banjo->maxA) + " teeth";
        }
        if (banjo->maxLast) {
            out += ", the last gear at most " + std::to_string(*banjo->maxLast) + " teeth";
        }
        out += "\n";
    }
    if (fitMargin && banjo) {
        out += "Fit: only trains that mount on the banjo\n";
    } else if (fitMargin && train == TrainKind::Compound) {
        return out + FitLine(*fitMargin);
    } else if (fitMargin) {
        out += "Fit: margin " + std::to_string(*fitMargin) + " teeth\n";
    }
    std::string names;
    for (const std::uint32_t gears : KindsOf(train)) {
        if (fitMargin || banjo || gears == 2) {
            names += std::string(names.empty() ? "" : "; ") +
                     (train == TrainKind::Any ? std::to_string(gears) + " gears " : "") +
                     PositionsNames(gears);
        }
    }
    if (!names.empty()) {
        out += "Positions: " + names + "\n";
    }
    return out;
}
