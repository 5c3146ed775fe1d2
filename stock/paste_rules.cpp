#include "paste_rules.h"

#include "number_text.h"

namespace {

// The ratio field's paste buffer holds 1024 bytes with the terminator.
constexpr std::size_t kMostKept = 1023;

} // namespace

bool PassesPasteTest(std::string_view text) {
    return ReadNumber(WithDecimalPoint(text)) != 0.0 && text.find("e+") == std::string_view::npos &&
           text.find("e-") == std::string_view::npos &&
           text.find_first_of("ABCDEF ") == std::string_view::npos;
}

std::string PasteTrim(std::string_view clipboardText) {
    const std::string text = WithDecimalPoint(clipboardText);
    std::string kept;
    bool pointKept = false;
    for (char c : text) {
        if (kept.size() == kMostKept) {
            break;
        }
        if (c == '.' && !pointKept) {
            pointKept = true;
        } else if (c < '0' || c > '9') {
            break;
        }
        kept += c;
    }
    return kept;
}
