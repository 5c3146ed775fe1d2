// The JSON door: every front end asks the core in one language. A request is
// a JSON object whose "op" says what to do (docs/json.md):
//   search (the default)   the report tandrel-cli --format json writes
//   chart                  the chart's report, with the gears to buy next
//   drawing                one train of the search as an SVG drawing
//   readLathe, writeLathe  a lathe file's text to its keys, and back
//   readThread, readGears  a pitch or designation, a gear list, as read
// A request that does not read, is larger than 1 MB or contradicts itself
// gets {"error": "...", "field": "..."} naming the field at fault.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kMaxRequestSize = 1024 * 1024;

// The answer to the request, a JSON object ending in a newline.
std::string Door(std::string_view request);
