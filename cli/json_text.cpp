#include "json_text.h"

#include "number_text.h"

#include <cmath>

namespace {

void Write(const nlohmann::ordered_json& value, std::string& out) {
    if (value.is_object()) {
        out += '{';
        const char* separator = "";
        for (const auto& [key, item] : value.items()) {
            out += separator;
            out += nlohmann::ordered_json(key).dump();
            out += ':';
            Write(item, out);
            separator = ",";
        }
        out += '}';
    } else if (value.is_array()) {
        const bool rows = !value.empty() && value.front().is_object();
        out += '[';
        const char* separator = rows ? "\n" : "";
        for (const auto& item : value) {
            out += separator;
            Write(item, out);
            separator = rows ? ",\n" : ",";
        }
        out += rows ? "\n]" : "]";
    } else if (value.is_number_float()) {
        const double number = value.get<double>();
        out += std::isfinite(number) ? FormatShortest(number) : "null";
    } else {
        out += value.dump();
    }
}

} // namespace

std::string JsonText(const nlohmann::ordered_json& document) {
    std::string out;
    Write(document, out);
    return out;
}
