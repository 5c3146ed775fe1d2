#include "gauge.h"

#include "number_text.h"

#include <cmath>

namespace {

// The error field's text is read into a 25-byte buffer.
constexpr std::size_t kErrorTextRead = 24;

struct GaugeBand {
    double from; // inclusive; the band ends where the band above begins
    int x;
};

// From the largest errors down; the x steps are uneven on purpose.
constexpr GaugeBand kBands[] = {
    {0.01, 82},  {0.001, 91},  {1e-4, 100},  {1e-5, 109},  {1e-6, 118},  {1e-7, 127},  {1e-8, 136},
    {1e-9, 143}, {1e-10, 153}, {1e-11, 162}, {1e-12, 171}, {1e-13, 182}, {1e-15, 191},
};

} // namespace

std::optional<int> GaugeRightEnd(std::string_view errorText) {
    double e = std::fabs(ReadNumber(errorText.substr(0, kErrorTextRead)));
    if (!(e > 1e-15 && e < 0.1)) {
        return std::nullopt;
    }
    for (const GaugeBand& band : kBands) {
        if (e >= band.from) {
            return band.x;
        }
    }
    return std::nullopt;
}
