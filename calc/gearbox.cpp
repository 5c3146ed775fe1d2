#include "gearbox.h"

#include "gear_list.h"
#include "number_text.h"
#include "stock.h"
#include "thread.h"

#include <algorithm>
#include <set>

namespace {

// One side of a plate's train: 1 to 3 tooth counts separated by spaces.
std::string ReadSide(std::string_view text, std::vector<std::uint32_t>& gears) {
    text = TrimSpaces(text);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        std::uint32_t tooth = 0;
        if (std::string problem = ReadWholeNumber(text.substr(0, end), kFirstTooth, kLastTooth, tooth);
            !problem.empty()) {
            return "holds " + Quoted(text.substr(0, end)) + ", which is not a tooth count from 16 to 165";
        }
        gears.push_back(tooth);
        text = TrimSpaces(text.substr(end));
    }
    if (gears.empty() || gears.size() > 3) {
        return "needs one to three gears on each side";
    }
    return {};
}

double Product(const std::vector<std::uint32_t>& gears) {
    double product = 1;
    for (const std::uint32_t tooth : gears) {
        product *= tooth;
    }
    return product;
}

std::string Joined(const std::vector<std::uint32_t>& gears) {
    std::string text;
    for (const std::uint32_t tooth : gears) {
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(tooth);
    }
    return text;
}

bool SamePitch(const std::optional<Pitch>& p, const std::optional<Pitch>& q) {
    return p.has_value() == q.has_value() &&
           (!p || (p->value == q->value && p->unit == q->unit && p->designation == q->designation));
}

} // namespace

bool GearboxSetting::operator==(const GearboxSetting& other) const {
    return name == other.name && ratio == other.ratio && SamePitch(thread, other.thread);
}

std::string ReadPlateGears(std::string_view text, PlateGears& plate) {
    text = TrimSpaces(text);
    const std::size_t between = text.find_first_of(":/");
    if (between == std::string_view::npos) {
        double ratio = 0;
        if (std::string problem = ReadPositiveNumber(text, ratio); !problem.empty()) {
            return problem + ": give a ratio such as 0.5 or a train such as \"40:80\" or \"20 127 / 60 50\"";
        }
        plate = {ratio, {}, {}};
        return {};
    }
    PlateGears read;
    for (const auto& [side, gears] : {std::pair{text.substr(0, between), &read.drivers},
                                      std::pair{text.substr(between + 1), &read.driven}}) {
        if (std::string problem = ReadSide(side, *gears); !problem.empty()) {
            return problem;
        }
    }
    if (read.drivers.size() != read.driven.size()) {
        return "needs as many drivers as driven gears, such as \"40:80\" or \"20 127 / 60 50\"";
    }
    read.ratio = Product(read.drivers) / Product(read.driven);
    plate = std::move(read);
    return {};
}

std::string PlateGearsText(const PlateGears& plate) {
    if (plate.drivers.empty()) {
        return FormatShortestFixed(plate.ratio);
    }
    if (plate.drivers.size() == 1) {
        return Joined(plate.drivers) + ":" + Joined(plate.driven);
    }
    return Joined(plate.drivers) + " / " + Joined(plate.driven);
}

std::string SettingNameProblem(std::string_view name) {
    if (name.empty()) {
        return "a setting needs a name, such as A1";
    }
    if (name.size() > kMaxSettingName) {
        return "setting " + Quoted(name) + ": a name holds at most 24 characters";
    }
    if (std::ranges::any_of(name, [](char c) {
            return c == '"' || c == '=' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        })) {
        return "setting " + Quoted(name) + ": a name holds no quotation mark, '=' or control character";
    }
    return {};
}

std::string ReadSettingValue(std::string_view text, GearboxSetting& setting) {
    text = TrimSpaces(text);
    if (!text.empty() && (IsDigit(text.front()) || text.front() == '.') &&
        std::ranges::all_of(text, [](char c) { return IsDigit(c) || c == '.' || c == ','; })) {
        double ratio = 0;
        if (std::string problem = ReadPositiveNumber(text, ratio); !problem.empty()) {
            return "setting " + Quoted(setting.name) + " " + Quoted(text) + " " + problem;
        }
        setting.ratio = ratio;
        setting.thread.reset();
        return {};
    }
    Pitch pitch{};
    if (std::string problem = ReadPitch(text, pitch); !problem.empty()) {
        return "setting " + Quoted(setting.name) + " " + Quoted(text) + " " + problem;
    }
    setting.thread = pitch;
    setting.ratio = 1;
    return {};
}

std::string SettingValueText(const GearboxSetting& setting) {
    return setting.thread ? PitchText(*setting.thread) : FormatShortestFixed(setting.ratio);
}

std::string GearboxProblem(const Gearbox& gearbox, bool hasLeadscrew, const GearboxSetting** concerned) {
    if (gearbox.settings.empty()) {
        return "the gearbox needs its settings, such as A1 = 0.5 or B3 = \"11 tpi\"";
    }
    if (gearbox.settings.size() > kMaxGearboxSettings) {
        return "the gearbox holds more than 200 settings";
    }
    std::set<std::string_view> names;
    for (const GearboxSetting& setting : gearbox.settings) {
        if (!names.insert(setting.name).second) {
            return "setting " + Quoted(setting.name) + " is named twice";
        }
    }
    const auto thread = std::ranges::find_if(
        gearbox.settings, [](const GearboxSetting& setting) { return setting.thread.has_value(); });
    if (concerned != nullptr && thread != gearbox.settings.end()) {
        *concerned = &*thread;
    }
    if (thread != gearbox.settings.end() && !gearbox.plate) {
        return "setting " + Quoted(thread->name) +
               " is given by its thread: plate_gears must name the change gears the plate assumes";
    }
    if (thread != gearbox.settings.end() && !hasLeadscrew) {
        return "setting " + Quoted(thread->name) + " is given by its thread: the lathe needs its leadscrew";
    }
    return {};
}

std::string GearboxLines(const Gearbox& gearbox) {
    std::string text;
    for (const GearboxSetting& setting : gearbox.settings) {
        text += setting.name + " = " + SettingValueText(setting) + "\n";
    }
    return text;
}

std::string ReadGearboxLines(std::string_view text, Gearbox& gearbox, std::size_t* refusedLine) {
    std::vector<GearboxSetting> settings;
    std::size_t number = 0;
    const auto refuse = [&](const std::string& problem) {
        if (refusedLine != nullptr) {
            *refusedLine = number;
        }
        return "line " + std::to_string(number) + ": " + problem;
    };
    for (std::size_t end = 0; end != std::string_view::npos; text.remove_prefix(end + 1)) {
        end = text.find('\n');
        ++number;
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (TrimSpaces(line).empty()) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return refuse(Quoted(TrimSpaces(line)) + " needs the form name = value, such as A1 = 0.5");
        }
        GearboxSetting setting{std::string(TrimSpaces(line.substr(0, equals)))};
        if (std::string problem = SettingNameProblem(setting.name); !problem.empty()) {
            return refuse(problem);
        }
        if (std::string problem = ReadSettingValue(line.substr(equals + 1), setting); !problem.empty()) {
            return refuse(problem);
        }
        if (std::ranges::find(settings, setting.name, &GearboxSetting::name) != settings.end()) {
            return refuse("setting " + Quoted(setting.name) + " is named twice");
        }
        settings.push_back(std::move(setting));
    }
    gearbox.settings = std::move(settings);
    return {};
}

BoxSettings BoxSettingsOf(const Gearbox& gearbox, const Pitch& leadscrew, double fixed, bool plateOnly) {
    BoxSettings box{.names = {}, .ratios = {}, .plate = std::nullopt, .plateOnly = plateOnly};
    if (gearbox.plate) {
        box.plate = gearbox.plate->ratio;
    }
    for (const GearboxSetting& setting : gearbox.settings) {
        box.names.push_back(setting.name);
        box.ratios.push_back(setting.thread && gearbox.plate
                                 ? TargetRatio({*setting.thread, 1, leadscrew, fixed}) / gearbox.plate->ratio
                                 : setting.ratio);
    }
    return box;
}
