#include "lathe_json.h"

#include "number_text.h"

#include <toml++/toml.h>

#include <vector>

using Json = nlohmann::json;

namespace {

// A JSON text as a TOML basic string.
std::string TomlString(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += {'\\', c};
        } else if (byte < 0x20 || byte == 0x7F) {
            out += {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string TomlKey(const std::string& key);

// A scalar, or an array or an object (an inline table) of scalars, as a
// TOML value; false for what a lathe file cannot hold (null, anything within
// an array or an object but a scalar).
bool TomlValue(const Json& value, bool inArray, std::string& out) {
    switch (value.type()) {
    case Json::value_t::string:
        out += TomlString(value.get<std::string>());
        return true;
    case Json::value_t::boolean:
        out += value.get<bool>() ? "true" : "false";
        return true;
    case Json::value_t::number_integer:
        out += std::to_string(value.get<std::int64_t>());
        return true;
    case Json::value_t::number_unsigned:
        out += std::to_string(value.get<std::uint64_t>());
        return true;
    case Json::value_t::number_float:
        out += FormatShortest(value.get<double>());
        return true;
    case Json::value_t::array: {
        if (inArray) {
            return false;
        }
        out += '[';
        const char* separator = "";
        for (const Json& item : value) {
            out += separator;
            if (!TomlValue(item, true, out)) {
                return false;
            }
            separator = ", ";
        }
        out += ']';
        return true;
    }
    case Json::value_t::object: { // an inline table, such as the gearbox's settings
        if (inArray) {
            return false;
        }
        out += '{';
        const char* separator = " ";
        for (const auto& [key, item] : value.items()) {
            out += separator + TomlKey(key) + " = ";
            if (!TomlValue(item, true, out)) {
                return false;
            }
            separator = ", ";
        }
        out += " }";
        return true;
    }
    default:
        return false;
    }
}

// A key as TOML writes it: bare when it can be, otherwise quoted.
std::string TomlKey(const std::string& key) {
    const bool bare =
        !key.empty() && key.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              "0123456789_-") == std::string::npos;
    return bare ? key : TomlString(key);
}

// The lines of a TOML text, each with the field it holds.
struct TomlLines {
    std::string text;
    std::vector<std::string> fields; // fields[i]: line i + 1's
};

DoorProblem AddKey(const std::string& prefix, const std::string& key, const Json& value, TomlLines& lines) {
    std::string line = TomlKey(key) + " = ";
    if (!TomlValue(value, false, line)) {
        return {prefix + key, prefix + key + " is not a value a lathe file holds"};
    }
    lines.text += line + "\n";
    lines.fields.push_back(prefix + key);
    return {};
}

// The object as a lathe file's text: its values first, then each object as a table.
DoorProblem TomlOf(const Json& lathe, TomlLines& lines) {
    for (const auto& [key, value] : lathe.items()) {
        if (!value.is_object()) {
            if (DoorProblem problem = AddKey("lathe.", key, value, lines); !problem.what.empty()) {
                return problem;
            }
        }
    }
    for (const auto& [key, table] : lathe.items()) {
        if (table.is_object()) {
            lines.text += '[';
            lines.text += TomlKey(key);
            lines.text += "]\n";
            lines.fields.push_back("lathe." + key);
            for (const auto& [inner, value] : table.items()) {
                if (DoorProblem problem = AddKey("lathe." + key + ".", inner, value, lines);
                    !problem.what.empty()) {
                    return problem;
                }
            }
        }
    }
    return {};
}

nlohmann::ordered_json JsonOf(const toml::node& node) {
    using Ordered = nlohmann::ordered_json;
    if (const toml::table* table = node.as_table()) {
        Ordered object = Ordered::object();
        for (const auto& [key, value] : *table) {
            object[std::string(key.str())] = JsonOf(value);
        }
        return object;
    }
    if (const toml::array* array = node.as_array()) {
        Ordered items = Ordered::array();
        for (const toml::node& item : *array) {
            items.push_back(JsonOf(item));
        }
        return items;
    }
    if (const auto* text = node.as_string()) {
        return text->get();
    }
    if (const auto* whole = node.as_integer()) {
        return whole->get();
    }
    if (const auto* number = node.as_floating_point()) {
        return number->get();
    }
    return node.value_or(false);
}

} // namespace

DoorProblem ReadLatheJson(const Json& value, Lathe& lathe) {
    if (!value.is_object()) {
        return {"lathe", "lathe is not an object of the lathe file's keys"};
    }
    TomlLines lines;
    if (DoorProblem problem = TomlOf(value, lines); !problem.what.empty()) {
        return problem;
    }
    const LatheProblem problem = ReadLathe(lines.text, lathe);
    if (problem.what.empty()) {
        return {};
    }
    if (problem.line == 0 || problem.line > lines.fields.size()) {
        return {"lathe", DescribeLatheProblem("the lathe", problem)};
    }
    return {lines.fields[problem.line - 1], problem.what};
}

nlohmann::ordered_json LatheJson(const Lathe& lathe) {
    // The writer's text read back: the keys and values exactly as a file holds them.
    const toml::parse_result parsed = toml::parse(LatheText(lathe));
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    if (parsed) {
        for (const auto& [key, value] : parsed.table()) {
            json[std::string(key.str())] = JsonOf(value);
        }
    }
    return json;
}
