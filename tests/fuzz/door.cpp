// The JSON door on requests of any bytes: no fault, and every answer one JSON
// object ending in a newline, with a text "error" and a text "field" (where it
// names one) when it refuses the request.
#include "door.h"
#include "require.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string_view>

namespace {

// Requests that would search or chart too much for a fuzzer's pace: six-gear
// and every-kind searches, long lists (a limit, a wide tolerance), the long
// pitch lists and the gear suggestions of a chart.
bool TooSlow(const nlohmann::json& request) {
    if (!request.is_object()) {
        return false;
    }
    for (const char* field : {"limit", "tolerance", "suggest", "pitches"}) {
        if (request.contains(field)) {
            return true;
        }
    }
    const auto train = request.find("train");
    return train != request.end() && (*train == 6 || *train == "6" || *train == "any");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view request(reinterpret_cast<const char*>(data), size);
    if (TooSlow(nlohmann::json::parse(request, nullptr, false))) {
        return 0;
    }
    const std::string answer = Door(request);
    Require(!answer.empty() && answer.back() == '\n', "the answer ends in a newline");
    const nlohmann::json json = nlohmann::json::parse(answer, nullptr, false);
    Require(json.is_object(), "the answer is a JSON object");
    if (json.contains("error")) {
        Require(json["error"].is_string() && !json["error"].get<std::string>().empty(),
                "the error is a text");
        Require(!json.contains("field") || json["field"].is_string(), "the field is named by a text");
    }
    return 0;
}
