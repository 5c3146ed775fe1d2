#include "json_text.h"

#include "number_text.h"

#include <cmath>

namespace {

// A string or other scalar as JSON; text that is not UTF-8 gets U+FFFD for its
// bad bytes rather than stopping the writer.
std::string Scalar(const nlohmann::ordered_json& value) {
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void Write(const nlohmann::ordered_json& value, std::string& out) {
    if (value.is_object()) {
        out += '{';
        const char* separator = "";
        for (const auto& [key, item] : value.items()) {
            out += separator;
            out += Scalar(nlohmann::ordered_json(key));
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
        out += Scalar(value);
    }
}

} // namespace

std::string JsonText(const nlohmann::ordered_json& document) {
    std::string out;
    Write(document, out);
    return out;
}
