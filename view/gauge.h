// The error gauge's bands: where the bracket under the error field ends.
#pragma once

#include <optional>
#include <string_view>

// Right end x of the bracket for the error field's text (its first 24
// characters, sign dropped), or none when no bracket is drawn.
std::optional<int> GaugeRightEnd(std::string_view errorText);
