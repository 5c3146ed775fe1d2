// The quick-change gearbox of a lathe file: its settings as the lathe's plate
// names them, each with its ratio or the thread the plate says it cuts, and
// the change gears the plate assumes; their readers and texts, shared by the
// lathe file and the window's dialog, and the settings as a search takes them.
#pragma once

#include "pitch.h"
#include "search.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct GearboxSetting {
    std::string name;              // "A1", "C-4"
    double ratio = 1;              // box output over input, when no thread is given
    std::optional<Pitch> thread{}; // the thread the plate says it cuts with the plate's gears

    bool operator==(const GearboxSetting& other) const;
};

// The change gears the plate assumes: a ratio, or a train whose drivers and
// driven gears are kept to be written back as given.
struct PlateGears {
    double ratio = 1;
    std::vector<std::uint32_t> drivers{}; // empty when given as a ratio
    std::vector<std::uint32_t> driven{};

    bool operator==(const PlateGears&) const = default;
};

struct Gearbox {
    std::vector<GearboxSetting> settings; // in the file's order
    std::optional<PlateGears> plate;

    bool operator==(const Gearbox&) const = default;
};

inline constexpr std::size_t kMaxGearboxSettings = 200;
inline constexpr std::size_t kMaxSettingName = 24;

// The plate's gears: a ratio ("0.5"), a pair of driver and driven gear
// ("40:80") or drivers over driven gears, one to three of each ("20 127 / 60
// 50"), tooth counts 16 to 165. What is wrong with the text, or empty.
std::string ReadPlateGears(std::string_view text, PlateGears& plate);
// As ReadPlateGears reads it back: "0.5", "40:80", "20 127 / 60 50".
std::string PlateGearsText(const PlateGears& plate);

// What is wrong with a setting's name, or empty: it must hold 1 to 24
// characters, none of them a quotation mark, '=' or a control character.
std::string SettingNameProblem(std::string_view name);

// A setting's value as text: a number is its ratio, anything else the thread
// the plate names for it, as ReadPitch reads it. What is wrong, or empty.
std::string ReadSettingValue(std::string_view text, GearboxSetting& setting);
// As ReadSettingValue reads it back: "0.5", "11tpi", "M6".
std::string SettingValueText(const GearboxSetting& setting);

// What is wrong with the gearbox as a whole, or empty: at least one setting
// and at most 200, each name once, the plate's gears wherever a setting is
// given by its thread, and a leadscrew to turn those threads into ratios.
// concerned: the setting the problem is about, if any.
std::string GearboxProblem(const Gearbox& gearbox, bool hasLeadscrew,
                           const GearboxSetting** concerned = nullptr);

// The settings' "name = value" lines, one a line, as the window's dialog shows them.
std::string GearboxLines(const Gearbox& gearbox);
// Reads such lines into the settings (blank lines are passed over), keeping
// the plate's gears as they are. What is wrong names the line: "line 3: 'B2
// = 11 tqi' ...", or is empty; refusedLine, if given, gets that line's
// number (from 1).
std::string ReadGearboxLines(std::string_view text, Gearbox& gearbox, std::size_t* refusedLine = nullptr);

// The settings as a thread's search takes them: each setting's ratio, a
// thread's from its lead on the leadscrew and fixed ratio with the plate's
// gears.
BoxSettings BoxSettingsOf(const Gearbox& gearbox, const Pitch& leadscrew, double fixed, bool plateOnly);
