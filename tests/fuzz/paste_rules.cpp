// The ratio field's paste rules on any clipboard text: no fault; Paste is
// offered only for text whose leading number (as strtod reads it, a decimal
// comma as the point) is not 0; the trim keeps the longest leading run of
// digits with at most one '.', up to 1023 characters.
#include "paste_rules.h"
#include "number_text.h"
#include "require.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string clipboardText(reinterpret_cast<const char*>(data), size);
    const std::string text = WithDecimalPoint(clipboardText);
    Require(!PassesPasteTest(clipboardText) || std::strtod(text.c_str(), nullptr) != 0.0,
            "Paste is offered only for a nonzero number");

    const std::string kept = PasteTrim(clipboardText);
    const bool point = kept.find('.') != std::string::npos;
    Require(text.starts_with(kept) && kept.find_first_not_of("0123456789.") == std::string::npos &&
                std::count(kept.begin(), kept.end(), '.') <= 1,
            "the trim keeps a leading run of digits and at most one point");
    const char next = kept.size() < text.size() ? text[kept.size()] : 'x';
    Require(kept.size() == 1023 || !((next >= '0' && next <= '9') || (next == '.' && !point)),
            "the trim stops only at 1023 characters or at a character it does not keep");
    return 0;
}
