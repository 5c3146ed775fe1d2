// ReadNumber on any bytes: no fault, and on decimal text the value the C
// library's strtod gives, overflow to infinity and underflow to 0 included.
// The formatted texts read back: FormatShortest to the same double,
// FormatFixed14 to a double that formats to the same text.
#include "number_text.h"
#include "require.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = ReadNumber(text);

    // strtod also reads hexadecimal, "inf" and "nan"; ReadNumber reads decimal only.
    std::size_t at = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
    at += at < text.size() && (text[at] == '+' || text[at] == '-');
    const char* number = text.c_str() + at;
    const bool decimal = (number[0] >= '0' && number[0] <= '9' && std::strncmp(number, "0x", 2) != 0 &&
                          std::strncmp(number, "0X", 2) != 0) ||
                         (number[0] == '.' && number[1] >= '0' && number[1] <= '9');
    Require(!decimal || std::bit_cast<std::uint64_t>(value) ==
                            std::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr)),
            "ReadNumber agrees with strtod on decimal text");

    double raw = 0.0;
    std::memcpy(&raw, data, std::min(size, sizeof raw));
    for (double v : {value, raw}) {
        if (std::isfinite(v)) {
            Require(std::bit_cast<std::uint64_t>(ReadNumber(FormatShortest(v))) ==
                        std::bit_cast<std::uint64_t>(v),
                    "FormatShortest reads back to the same double");
            const std::string fixed = FormatFixed14(v);
            Require(FormatFixed14(ReadNumber(fixed)) == fixed, "FormatFixed14 reads back to the same text");
        }
    }
    return 0;
}
