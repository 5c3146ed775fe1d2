// ReadPitch on any text that reads as a designation: no fault; case and the
// spaces around the text change nothing; a designation read keeps a name that
// reads back as the very same thread, which its thread's name starts with, and
// its pitch is a positive number of mm (metric) or threads per inch (inch series).
#include "designation.h"
#include "number_text.h"
#include "require.h"
#include "thread.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool Same(const std::string& problem, const Pitch& pitch, const std::string& otherProblem,
          const Pitch& other) {
    return problem.empty() == otherProblem.empty() &&
           (!problem.empty() ||
            (std::bit_cast<std::uint64_t>(pitch.value) == std::bit_cast<std::uint64_t>(other.value) &&
             pitch.unit == other.unit && pitch.designation == other.designation));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Pitch pitch{};
    const std::string problem = ReadPitch(text, pitch);
    if (!LooksLikeDesignation(text)) {
        return 0;
    }
    Require(problem.empty() == !pitch.designation.empty(), "a designation is read with its name, or refused");

    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    Pitch other{};
    Require(Same(problem, pitch, ReadPitch(upper, other), other), "a designation reads the same in capitals");
    Require(Same(problem, pitch, ReadPitch(" " + text + "\t", other), other),
            "spaces around a designation change nothing");
    if (!problem.empty()) {
        return 0;
    }

    Require(std::isfinite(pitch.value) && pitch.value > 0, "a designation's pitch is a positive number");
    const bool metric = pitch.designation.starts_with('M');
    Require(pitch.unit == (metric ? PitchUnit::Mm : PitchUnit::Tpi), "metric in mm, the inch series in TPI");
    Require(Same(problem, pitch, ReadPitch(pitch.designation, other), other),
            "the name a designation keeps reads back as the same thread");
    Thread thread;
    thread.pitch = pitch;
    Require(ThreadName(thread).starts_with(pitch.designation + " ("),
            "the thread is named by its designation");
    return 0;
}
