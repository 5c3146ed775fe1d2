#include "lathe.h"

#include "fit.h"
#include "gear_list.h"
#include "lathe_syntax.h"
#include "number_text.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>
#include <sstream>
#include <vector>

namespace {

// A key's reader: takes the value into what its table reads into (the lathe,
// or the banjo's figures), or says what is wrong with it.
template <class Target> struct KeyReader {
    std::string_view key;
    LatheProblem (*read)(const toml::node& value, Target& target);
    ValueForm form; // for a line that TOML refuses
};

constexpr ValueForm kInMm{ValueForm::Kind::Number, "a number in mm, without the unit"};
constexpr ValueForm kToothCount{ValueForm::Kind::Number, "a tooth count, without the unit"};
constexpr ValueForm kTable{};

std::size_t LineOf(const toml::node& node) {
    return node.source().begin.line;
}

LatheProblem Wrong(const toml::node& value, std::string what) {
    return {LineOf(value), std::move(what)};
}

// Reads every key of a table in the order of the file, so that the first
// problem told is the first one in the file. A key no reader knows is a
// problem: a misspelt key would otherwise be lost without a word.
template <class Target>
LatheProblem ReadKeys(const toml::table& table, std::span<const KeyReader<Target>> readers,
                      std::string_view prefix, Target& target) {
    std::vector<std::pair<const toml::key*, const toml::node*>> entries;
    for (const auto& [key, value] : table) {
        entries.emplace_back(&key, &value);
    }
    std::ranges::sort(entries, {}, [](const auto& entry) {
        const toml::source_position& at = entry.first->source().begin;
        return std::pair{at.line, at.column};
    });
    for (const auto& [key, value] : entries) {
        const auto reader = std::ranges::find(readers, key->str(), &KeyReader<Target>::key);
        if (reader == readers.end()) {
            std::string what = "unknown key " + Quoted(std::string(prefix) + std::string(key->str())) + " (";
            for (const KeyReader<Target>& known : readers) {
                what += known.key;
                what += known.key == readers.back().key ? ")" : ", ";
            }
            return {key->source().begin.line, what};
        }
        if (LatheProblem problem = reader->read(*value, target); !problem.what.empty()) {
            return problem;
        }
    }
    return {};
}

LatheProblem ReadName(const toml::node& value, Lathe& lathe) {
    const auto* text = value.as_string();
    if (text == nullptr) {
        return Wrong(value, "name must be a text in quotes");
    }
    lathe.name = text->get();
    return {};
}

LatheProblem ReadGears(const toml::node& value, Lathe& lathe) {
    const auto* text = value.as_string();
    if (text == nullptr) {
        return Wrong(value, "gears must be a gear list in quotes, such as \"20-80/5, 127\"");
    }
    if (std::string problem = ReadGearList(text->get(), lathe.stock); !problem.empty()) {
        return Wrong(value, "gears " + problem);
    }
    return {};
}

LatheProblem ReadLeadscrewKey(const toml::node& value, Lathe& lathe) {
    const auto* text = value.as_string();
    if (text == nullptr) {
        return Wrong(value, "leadscrew must be a pitch in quotes, such as \"8tpi\" or \"3mm\"");
    }
    Pitch pitch{};
    if (std::string problem = ReadLeadscrew(text->get(), pitch); !problem.empty()) {
        return Wrong(value, "leadscrew " + Quoted(text->get()) + " " + problem);
    }
    lathe.leadscrew = pitch;
    return {};
}

LatheProblem ReadFixed(const toml::node& value, Lathe& lathe) {
    const std::optional<double> fixed = value.is_number() ? value.value<double>() : std::nullopt;
    if (!fixed || !std::isfinite(*fixed) || *fixed <= 0) {
        return Wrong(value, "fixed must be a number above zero, such as 1 or 0.5");
    }
    lathe.fixed = *fixed;
    return {};
}

LatheProblem ReadMargin(const toml::node& value, Lathe& lathe) {
    const auto* margin = value.as_integer();
    if (margin == nullptr || margin->get() < 0 || margin->get() > kMaxFitMargin) {
        return Wrong(value, "margin must be a whole number of teeth from 0 to 200");
    }
    lathe.fitMargin = static_cast<std::uint32_t>(margin->get());
    return {};
}

// An array of pitches as texts, each read as ReadPitch reads it.
LatheProblem ReadChart(const toml::node& value, Lathe& lathe) {
    const auto* array = value.as_array();
    if (array == nullptr) {
        return Wrong(value, "chart must be a list of pitches, such as [\"M6\", \"1/2-13 UNC\", \"1.5mm\"]");
    }
    if (array->size() > kMaxChartPitches) {
        return Wrong(value, "chart holds more than 100 pitches");
    }
    std::vector<Pitch> pitches;
    for (const toml::node& item : *array) {
        const auto* text = item.as_string();
        if (text == nullptr) {
            return Wrong(item, "chart must hold pitches in quotes, such as \"M6\"");
        }
        Pitch pitch{};
        if (std::string problem = ReadPitch(text->get(), pitch); !problem.empty()) {
            return Wrong(item, "chart " + Quoted(text->get()) + " " + problem);
        }
        pitches.push_back(pitch);
    }
    lathe.chart = std::move(pitches);
    return {};
}

constexpr KeyReader<Lathe> kFitKeys[] = {
    {"margin", ReadMargin, {ValueForm::Kind::Number, "a whole number of teeth, without the unit"}}};

LatheProblem ReadFit(const toml::node& value, Lathe& lathe) {
    const auto* table = value.as_table();
    if (table == nullptr) {
        return Wrong(value, "fit must be a table: [fit] on a line of its own, then margin = 15");
    }
    return ReadKeys<Lathe>(*table, kFitKeys, "fit.", lathe);
}

// The banjo's figures as a lathe file names them (banjo.h).
constexpr BanjoNames kBanjoNames{.module = "module",
                                 .dp = "dp",
                                 .centreDistance = "centre_distance",
                                 .studMin = "stud_min",
                                 .studMax = "stud_max",
                                 .studMinOwner = "the banjo's ",
                                 .studMaxOwner = "its "};

// A length of the banjo in mm, above zero; the clearance may be zero.
LatheProblem ReadLength(const toml::node& value, std::string_view key, std::optional<double>& length) {
    const std::optional<double> read = value.is_number() ? value.value<double>() : std::nullopt;
    const bool zeroTaken = key == "clearance";
    if (!read || !std::isfinite(*read) || *read < 0 || (*read == 0 && !zeroTaken)) {
        std::string what(key);
        what += zeroTaken ? " must be a length in mm, zero or more, such as 3"
                          : " must be a length in mm above zero, such as 120";
        return Wrong(value, what);
    }
    length = *read;
    return {};
}

// The module or the diametral pitch: the second of them is refused before its value is read.
LatheProblem ReadGearPitch(const toml::node& value, std::string_view key, std::optional<double>& length,
                           BanjoFigures& banjo) {
    length = 0;
    if (std::string both = OnePitchProblem(banjo, kBanjoNames); !both.empty()) {
        return Wrong(value, both);
    }
    return ReadLength(value, key, length);
}

LatheProblem ReadModule(const toml::node& value, BanjoFigures& banjo) {
    return ReadGearPitch(value, "module", banjo.module, banjo);
}

LatheProblem ReadDiametralPitch(const toml::node& value, BanjoFigures& banjo) {
    return ReadGearPitch(value, "dp", banjo.dp, banjo);
}

// Also read as center_distance, but only once.
LatheProblem ReadCentreDistance(const toml::node& value, BanjoFigures& banjo) {
    if (banjo.centreDistance) {
        return Wrong(value, "centre_distance and center_distance are the same length: give it once");
    }
    return ReadLength(value, "centre_distance", banjo.centreDistance);
}

LatheProblem ReadStudMin(const toml::node& value, BanjoFigures& banjo) {
    return ReadLength(value, "stud_min", banjo.studMin);
}

LatheProblem ReadStudMax(const toml::node& value, BanjoFigures& banjo) {
    return ReadLength(value, "stud_max", banjo.studMax);
}

LatheProblem ReadClearance(const toml::node& value, BanjoFigures& banjo) {
    return ReadLength(value, "clearance", banjo.clearance);
}

LatheProblem ReadLargestGear(const toml::node& value, std::string_view key,
                             std::optional<std::uint32_t>& teeth) {
    const auto* count = value.as_integer();
    if (count == nullptr || count->get() < kFirstTooth || count->get() > kLastTooth) {
        std::string what(key);
        what += " must be a tooth count from 16 to 165";
        return Wrong(value, what);
    }
    teeth = static_cast<std::uint32_t>(count->get());
    return {};
}

LatheProblem ReadMaxA(const toml::node& value, BanjoFigures& banjo) {
    return ReadLargestGear(value, "max_a", banjo.maxA);
}

LatheProblem ReadMaxLast(const toml::node& value, BanjoFigures& banjo) {
    return ReadLargestGear(value, "max_last", banjo.maxLast);
}

constexpr KeyReader<BanjoFigures> kBanjoKeys[] = {
    {"module", ReadModule, kInMm},
    {"dp", ReadDiametralPitch, {ValueForm::Kind::Number, "a number, without the unit"}},
    {"centre_distance", ReadCentreDistance, kInMm},
    {"center_distance", ReadCentreDistance, kInMm},
    {"stud_min", ReadStudMin, kInMm},
    {"stud_max", ReadStudMax, kInMm},
    {"clearance", ReadClearance, kInMm},
    {"max_a", ReadMaxA, kToothCount},
    {"max_last", ReadMaxLast, kToothCount},
};

LatheProblem ReadBanjo(const toml::node& value, Lathe& lathe) {
    const auto* table = value.as_table();
    if (table == nullptr) {
        return Wrong(value, "banjo must be a table: [banjo] on a line of its own, then its keys");
    }
    BanjoFigures figures;
    if (LatheProblem problem = ReadKeys<BanjoFigures>(*table, kBanjoKeys, "banjo.", figures);
        !problem.what.empty()) {
        return problem;
    }
    Banjo banjo;
    if (std::string problem = BanjoOf(figures, kBanjoNames, banjo); !problem.empty()) {
        return Wrong(value, problem);
    }
    lathe.banjo = banjo;
    lathe.dp = figures.dp;
    return {};
}

// The dial's gear: a tooth count, or a list of the gears it can take.
LatheProblem ReadDialTeeth(const toml::node& value, Dial& dial) {
    constexpr std::string_view kWhat =
        "teeth must be a tooth count from 8 to 200, or a list of them such as [14, 15, 16]";
    std::vector<std::uint32_t> teeth;
    const auto take = [&](const toml::node& item) {
        const auto* count = item.as_integer();
        if (count == nullptr || count->get() < 8 || count->get() > 200) {
            return false;
        }
        teeth.push_back(static_cast<std::uint32_t>(count->get()));
        return true;
    };
    if (const auto* array = value.as_array()) {
        if (array->empty() || array->size() > 16 || !std::ranges::all_of(*array, take)) {
            return Wrong(value, std::string(kWhat));
        }
    } else if (!take(value)) {
        return Wrong(value, std::string(kWhat));
    }
    dial.teeth = std::move(teeth);
    return {};
}

LatheProblem ReadDialCount(const toml::node& value, std::string_view key, std::uint32_t& count) {
    const auto* number = value.as_integer();
    if (number == nullptr || number->get() < 1 || number->get() > 360) {
        return Wrong(value, std::string(key) + " must be a whole number from 1 to 360");
    }
    count = static_cast<std::uint32_t>(number->get());
    return {};
}

LatheProblem ReadDialLines(const toml::node& value, Dial& dial) {
    return ReadDialCount(value, "lines", dial.lines);
}

LatheProblem ReadDialNumbers(const toml::node& value, Dial& dial) {
    return ReadDialCount(value, "numbers", dial.numbers);
}

constexpr KeyReader<Dial> kDialKeys[] = {
    {"teeth", ReadDialTeeth, {ValueForm::Kind::Other, "a tooth count or a list of them"}},
    {"lines", ReadDialLines, {ValueForm::Kind::Number, "a whole number"}},
    {"numbers", ReadDialNumbers, {ValueForm::Kind::Number, "a whole number"}},
};

// Lines and numbers left out: 8 lines, every one numbered.
LatheProblem ReadDial(const toml::node& value, Lathe& lathe) {
    const auto* table = value.as_table();
    if (table == nullptr) {
        return Wrong(value, "dial must be a table: [dial] on a line of its own, then its keys");
    }
    Dial dial{.teeth = {}, .lines = 8, .numbers = 0};
    if (LatheProblem problem = ReadKeys<Dial>(*table, kDialKeys, "dial.", dial); !problem.what.empty()) {
        return problem;
    }
    if (dial.numbers == 0) {
        dial.numbers = dial.lines;
    }
    if (std::string problem = DialProblem(dial); !problem.empty()) {
        return Wrong(value, problem);
    }
    lathe.dial = std::move(dial);
    return {};
}

// The settings in the file's order, each a ratio (a number) or the thread
// the plate names (a text), as an inline table or a table of its own.
LatheProblem ReadSettings(const toml::node& value, Gearbox& gearbox) {
    const auto* table = value.as_table();
    if (table == nullptr) {
        return Wrong(value, "settings must be a table of the gearbox's settings, such as { A1 = 0.5, B3 = "
                            "\"11 tpi\" }");
    }
    if (table->size() > kMaxGearboxSettings) {
        return Wrong(value, "the gearbox holds more than 200 settings");
    }
    std::vector<std::pair<const toml::key*, const toml::node*>> entries;
    for (const auto& [key, setting] : *table) {
        entries.emplace_back(&key, &setting);
    }
    std::ranges::sort(entries, {}, [](const auto& entry) {
        const toml::source_position& at = entry.first->source().begin;
        return std::pair{at.line, at.column};
    });
    gearbox.settings.clear();
    for (const auto& [key, node] : entries) {
        GearboxSetting setting{std::string(key->str())};
        if (std::string problem = SettingNameProblem(setting.name); !problem.empty()) {
            return {key->source().begin.line, problem};
        }
        std::string problem;
        if (const std::optional<double> ratio = node->is_number() ? node->value<double>() : std::nullopt) {
            setting.ratio = *ratio;
            if (!std::isfinite(*ratio) || *ratio <= 0) {
                problem = "setting " + Quoted(setting.name) + " must be a ratio above zero, such as 0.5";
            }
        } else if (const auto* text = node->as_string()) {
            problem = ReadSettingValue(text->get(), setting);
        } else {
            problem = "setting " + Quoted(setting.name) +
                      " must be a ratio (a number) or the plate's thread in quotes, such as \"11 tpi\"";
        }
        if (!problem.empty()) {
            return Wrong(*node, problem);
        }
        gearbox.settings.push_back(std::move(setting));
    }
    return {};
}

LatheProblem ReadPlateGearsKey(const toml::node& value, Gearbox& gearbox) {
    std::string text;
    if (const std::optional<double> ratio = value.is_number() ? value.value<double>() : std::nullopt) {
        text = FormatShortestFixed(*ratio);
    } else if (const auto* string = value.as_string()) {
        text = string->get();
    } else {
        return Wrong(value, "plate_gears must be a ratio or a gear train in quotes, such as \"40:80\"");
    }
    PlateGears plate;
    if (std::string problem = ReadPlateGears(text, plate); !problem.empty()) {
        return Wrong(value, "plate_gears " + Quoted(text) + " " + problem);
    }
    gearbox.plate = std::move(plate);
    return {};
}

constexpr KeyReader<Gearbox> kGearboxKeys[] = {
    {"settings", ReadSettings, kTable},
    {"plate_gears", ReadPlateGearsKey, {ValueForm::Kind::Other, "a ratio or a gear train in quotes"}},
};

LatheProblem ReadGearbox(const toml::node& value, Lathe& lathe) {
    const auto* table = value.as_table();
    if (table == nullptr) {
        return Wrong(value, "gearbox must be a table: [gearbox] on a line of its own, then its keys");
    }
    Gearbox gearbox;
    if (LatheProblem problem = ReadKeys<Gearbox>(*table, kGearboxKeys, "gearbox.", gearbox);
        !problem.what.empty()) {
        return problem;
    }
    lathe.gearbox = std::move(gearbox);
    return {};
}

constexpr KeyReader<Lathe> kLatheKeys[] = {
    {"name", ReadName, {ValueForm::Kind::Text, "a name in quotes"}},
    {"gears", ReadGears, {ValueForm::Kind::Text, "a gear list in quotes"}},
    {"leadscrew", ReadLeadscrewKey, {ValueForm::Kind::Text, "a pitch in quotes"}},
    {"fixed", ReadFixed, {ValueForm::Kind::Number, "a number, without a unit"}},
    {"chart", ReadChart, kTable},
    {"fit", ReadFit, kTable},
    {"banjo", ReadBanjo, kTable},
    {"dial", ReadDial, kTable},
    {"gearbox", ReadGearbox, kTable},
};

// How the key takes its value, by the last part of a dotted key (no two tables share a key).
ValueForm FormOf(std::string_view key) {
    key.remove_prefix(key.rfind('.') == std::string_view::npos ? 0 : key.rfind('.') + 1);
    const auto formIn = [key](const auto& table) -> std::optional<ValueForm> {
        const auto reader = std::ranges::find(table, key, [](const auto& known) { return known.key; });
        return reader == std::end(table) ? std::nullopt : std::optional(reader->form);
    };
    return formIn(kLatheKeys)
        .value_or(formIn(kFitKeys).value_or(
            formIn(kBanjoKeys).value_or(formIn(kDialKeys).value_or(formIn(kGearboxKeys).value_or(kTable)))));
}

// Windows editors may start a UTF-8 file with U+FEFF.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where the text stops being UTF-8, or npos when it is UTF-8 throughout.
std::size_t EndOfUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        const unsigned lead = byte(i);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size()) {
            return i;
        }
        // The second byte's range rules out overlong forms, surrogates and code points above U+10FFFF.
        const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        for (std::size_t k = 1; k < length; ++k) {
            if (byte(i + k) < (k == 1 ? low : 0x80) || byte(i + k) > (k == 1 ? high : 0xBF)) {
                return i;
            }
        }
        i += length;
    }
    return std::string_view::npos;
}

std::size_t LineAt(std::string_view text, std::size_t at) {
    return static_cast<std::size_t>(
        1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// toml++ reaches an unreachable branch (undefined behaviour) when it asks
// whether a character beyond ASCII is white space, as it does outside strings
// and in places within them. So it reads the text in ASCII alone: each such
// character in a string in double quotes, or in a comment, becomes its escape
// \uXXXX (which a comment keeps as text). Elsewhere, and after a backslash,
// such a character is a problem, told with its line. So is a control
// character other than tab and the line ends, which TOML allows nowhere.
LatheProblem InAscii(std::string_view text, std::string& ascii) {
    enum class In { Code, Comment, BasicString, LiteralString, MultiLineBasic, MultiLineLiteral };
    In in = In::Code;
    const auto beyondAscii = [&](std::size_t at) {
        return at < text.size() && static_cast<unsigned char>(text[at]) >= 0x80;
    };
    for (std::size_t i = 0; i < text.size();) {
        if (const auto code = static_cast<unsigned char>(text[i]);
            (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0x7F) {
            return {LineAt(text, i), "a control character (code " + std::to_string(code) +
                                         "): write it as an escape in double quotes, such as \\u0001"};
        }
        const bool inDoubleQuotes = in == In::BasicString || in == In::MultiLineBasic;
        if (beyondAscii(i) || (inDoubleQuotes && text[i] == '\\' && beyondAscii(i + 1))) {
            if (!inDoubleQuotes && in != In::Comment) {
                return {LineAt(text, i), "a letter beyond ASCII outside double quotes: only a text in double "
                                         "quotes, or a comment, may hold one"};
            }
            if (text[i] == '\\') {
                return {LineAt(text, i), "a backslash before a letter beyond ASCII"};
            }
            // The text is UTF-8: a lead byte and its continuation bytes.
            const auto lead = static_cast<unsigned char>(text[i]);
            const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            std::uint32_t point = lead & (0x7Fu >> length);
            for (std::size_t k = 1; k < length; ++k) {
                point = point << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
            }
            char escape[12];
            std::snprintf(escape, sizeof escape, point > 0xFFFF ? "\\U%08X" : "\\u%04X", point);
            ascii += escape;
            i += length;
            continue;
        }
        const char c = text[i];
        const std::string_view three = text.substr(i, 3);
        std::size_t take = 1;
        if (in == In::Code) {
            if (three == "\"\"\"" || three == "'''") {
                in = c == '"' ? In::MultiLineBasic : In::MultiLineLiteral;
                take = 3;
            } else {
                in = c == '#'    ? In::Comment
                     : c == '"'  ? In::BasicString
                     : c == '\'' ? In::LiteralString
                                 : In::Code;
            }
        } else if (inDoubleQuotes && c == '\\') {
            take = 2; // the escaped character, a quotation mark among them
        } else if ((in == In::MultiLineBasic && three == "\"\"\"") ||
                   (in == In::MultiLineLiteral && three == "'''")) {
            in = In::Code;
            take = 3;
        } else if ((c == '\n' && in != In::MultiLineBasic && in != In::MultiLineLiteral) ||
                   (in == In::BasicString && c == '"') || (in == In::LiteralString && c == '\'')) {
            in = In::Code;
        }
        ascii.append(text.substr(i, take));
        i += take;
    }
    return {};
}

// toml++'s message for the text it refused, unless the line it stopped on shows
// a common mistake: then a sentence that says what to write instead.
std::string ParseProblem(std::string_view text, const toml::source_region& where, std::string_view message) {
    std::string_view line = text;
    for (std::size_t k = 1; k < where.begin.line && line.find('\n') != std::string_view::npos; ++k) {
        line.remove_prefix(line.find('\n') + 1);
    }
    if (const std::optional<KeyLine> keyLine = ReadKeyLine(line.substr(0, line.find('\n')))) {
        if (std::string sentence = SyntaxSentence(*keyLine, FormOf(keyLine->key), where.begin.column);
            !sentence.empty()) {
            return sentence;
        }
    }
    return std::string(message);
}

// A TOML basic string on one line, escaped as needed.
std::string TomlString(const std::string& text) {
    std::ostringstream out;
    out << toml::toml_formatter(toml::value<std::string>(text), toml::format_flags::allow_unicode_strings);
    return out.str();
}

// A key as TOML writes it: bare where it can be, otherwise in quotes.
std::string TomlKey(const std::string& key) {
    const bool bare = !key.empty() && std::ranges::all_of(key, [](char c) {
        return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '-';
    });
    return bare ? key : TomlString(key);
}

// The shortest text of the number that reads back to it, as a TOML float or
// integer; long runs of digits are floats, so that they never overflow TOML's integers.
std::string TomlNumber(double value) {
    std::string text = FormatShortest(value);
    if (text.size() > 15 && std::ranges::all_of(text, IsDigit)) {
        text += ".0";
    }
    return text;
}

} // namespace

bool operator==(const Lathe& a, const Lathe& b) {
    const auto samePitch = [](const std::optional<Pitch>& p, const std::optional<Pitch>& q) {
        return p.has_value() == q.has_value() && (!p || (p->value == q->value && p->unit == q->unit));
    };
    const auto sameList = [&](const std::vector<Pitch>& p, const std::vector<Pitch>& q) {
        return std::ranges::equal(p, q, [&](const Pitch& x, const Pitch& y) {
            return samePitch(x, y) && x.designation == y.designation;
        });
    };
    return a.name == b.name && a.stock == b.stock && samePitch(a.leadscrew, b.leadscrew) &&
           a.fixed == b.fixed && a.fitMargin == b.fitMargin && a.banjo == b.banjo && a.dp == b.dp &&
           a.dial == b.dial && a.gearbox == b.gearbox && sameList(a.chart, b.chart);
}

LatheProblem ReadLathe(std::string_view text, Lathe& lathe) {
    if (text.size() > kMaxLatheFileSize) {
        return {0, "is larger than 64 KiB, too large for a lathe file"};
    }
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (const std::size_t end = EndOfUtf8(text); end != std::string_view::npos) {
        return {LineAt(text, end), "not UTF-8 text: save the file as UTF-8"};
    }
    std::string ascii;
    if (LatheProblem problem = InAscii(text, ascii); !problem.what.empty()) {
        return problem;
    }
    const toml::parse_result parsed = toml::parse(ascii);
    if (!parsed) {
        return {parsed.error().source().begin.line,
                ParseProblem(ascii, parsed.error().source(), parsed.error().description())};
    }
    Lathe read;
    if (LatheProblem problem = ReadKeys<Lathe>(parsed.table(), kLatheKeys, "", read); !problem.what.empty()) {
        return problem;
    }
    if (!parsed.table().contains("gears")) {
        return {0, "has no gears: a line such as gears = \"20-80/5, 127\" lists the gears on hand"};
    }
    // Checked once every key is read: the leadscrew may stand after the gearbox's keys.
    if (read.gearbox) {
        const GearboxSetting* concerned = nullptr;
        if (std::string problem = GearboxProblem(*read.gearbox, read.leadscrew.has_value(), &concerned);
            !problem.empty()) {
            const toml::node* at = parsed.table().get("gearbox");
            if (const toml::node* setting =
                    concerned ? toml::node_view<const toml::node>(at)["settings"][concerned->name].node()
                              : nullptr) {
                at = setting;
            }
            return {LineOf(*at), problem};
        }
    }
    lathe = std::move(read);
    return {};
}

std::string DescribeLatheProblem(std::string_view file, const LatheProblem& problem) {
    std::string text(file);
    if (problem.line == 0) {
        text += ' ';
    } else {
        text += ", line ";
        text += std::to_string(problem.line);
        text += ": ";
    }
    text += problem.what;
    return text;
}

std::string LatheText(const Lathe& lathe) {
    std::string text = "# A Tandrel lathe: its change gears on hand and its settings.\n";
    if (!lathe.name.empty()) {
        text += "name = " + TomlString(lathe.name) + "\n";
    }
    text += "gears = " + TomlString(GearListText(lathe.stock)) + "\n";
    if (lathe.leadscrew) {
        text += "leadscrew = " +
                TomlString(FormatShortestFixed(lathe.leadscrew->value) +
                           std::string(TextOf(lathe.leadscrew->unit).key)) +
                "\n";
    }
    text += "fixed = " + TomlNumber(lathe.fixed) + "\n";
    if (!lathe.chart.empty()) {
        std::string items;
        for (const Pitch& pitch : lathe.chart) {
            items += items.empty() ? "" : ", ";
            items += TomlString(PitchText(pitch));
        }
        text += "chart = [" + items + "]\n";
    }
    if (lathe.fitMargin) {
        text += "\n[fit]\nmargin = " + std::to_string(*lathe.fitMargin) + "\n";
    }
    if (lathe.banjo) {
        const Banjo& banjo = *lathe.banjo;
        text += "\n[banjo]\n";
        text += lathe.dp ? "dp = " + TomlNumber(*lathe.dp) : "module = " + TomlNumber(banjo.module);
        for (auto [key, length] : {std::pair{"centre_distance", banjo.centreDistance},
                                   {"stud_min", banjo.studMin},
                                   {"stud_max", banjo.studMax},
                                   {"clearance", banjo.clearance}}) {
            text += "\n";
            text += key;
            text += " = ";
            text += TomlNumber(length);
        }
        for (auto [key, teeth] : {std::pair{"max_a", banjo.maxA}, {"max_last", banjo.maxLast}}) {
            if (teeth) {
                text += "\n";
                text += key;
                text += " = ";
                text += std::to_string(*teeth);
            }
        }
        text += "\n";
    }
    if (lathe.gearbox) {
        const Gearbox& gearbox = *lathe.gearbox;
        text += "\n[gearbox]\n";
        if (gearbox.plate) {
            text += "plate_gears = " +
                    (gearbox.plate->drivers.empty() ? TomlNumber(gearbox.plate->ratio)
                                                    : TomlString(PlateGearsText(*gearbox.plate))) +
                    "\n";
        }
        text += "\n[gearbox.settings]\n";
        for (const GearboxSetting& setting : gearbox.settings) {
            text += TomlKey(setting.name) + " = " +
                    (setting.thread ? TomlString(PitchText(*setting.thread)) : TomlNumber(setting.ratio)) +
                    "\n";
        }
    }
    if (lathe.dial) {
        const Dial& dial = *lathe.dial;
        std::string teeth;
        for (const std::uint32_t count : dial.teeth) {
            teeth += (teeth.empty() ? "" : ", ") + std::to_string(count);
        }
        text += "\n[dial]\nteeth = " + (dial.teeth.size() == 1 ? teeth : "[" + teeth + "]") +
                "\nlines = " + std::to_string(dial.lines) + "\nnumbers = " + std::to_string(dial.numbers) +
                "\n";
    }
    return text;
}
