// The JSON text of a document built with nlohmann/json, as the reports are written.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// The document on one line, except that every object in an array stands on a
// line of its own. Numbers with a fraction or exponent are written as
// FormatShortest writes them, the shortest text that reads back to the same
// double, on both platforms: nlohmann/json's own form differs for some (0 as
// 0.0, 1e-04 as 0.0001). Infinities and NaN, which JSON lacks, become null.
std::string JsonText(const nlohmann::ordered_json& document);
