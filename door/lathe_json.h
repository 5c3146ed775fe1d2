// A lathe as JSON: the lathe file's keys with the same names and values,
// "banjo" and "fit" as objects, read by the lathe file's own reader so that a
// mistake is told in the same words.
#pragma once

#include "lathe.h"

#include <nlohmann/json.hpp>

#include <string>

// What is wrong with a request: what, and the field it is about ("lathe.gears";
// empty for the request as a whole).
struct DoorProblem {
    std::string field;
    std::string what;
};

// Reads the lathe object into lathe; the problem names the key that does not read.
DoorProblem ReadLatheJson(const nlohmann::json& value, Lathe& lathe);

// The lathe's keys as its file writes them.
nlohmann::ordered_json LatheJson(const Lathe& lathe);
