// ReadPitch on any text: no fault; of the texts that are not designations
// (designation.cpp has its own harness) it takes exactly a decimal number
// (digits with at most one '.' or ',') above zero and a unit (mm, tpi, in,
// module or dp, in any case) with spaces or none between them and around
// them ("mod" for module too), or "P" and such a number for mm, and the
// value it reads is strtod's.
// The thread arithmetic on the pitches read: no fault, and the target ratio
// cuts the thread's lead.
#include "thread.h"
#include "designation.h"
#include "number_text.h"
#include "require.h"
#include "train.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool ReadsAsPitch(const std::string& written, const Pitch& pitch, const std::string& problem) {
    if (LooksLikeDesignation(written)) {
        return false;
    }
    const std::string text(TrimSpaces(written));
    const bool metricP = text.size() > 1 && (text[0] == 'P' || text[0] == 'p') &&
                         std::string("0123456789.,").find(text[1]) != std::string::npos;
    const std::string rest = metricP ? text.substr(1) : text;
    const std::size_t numberEnd = std::min(rest.find_first_not_of("0123456789.,"), rest.size());
    const std::string number = WithDecimalPoint(rest.substr(0, numberEnd));
    std::string unit(TrimSpaces(rest.substr(numberEnd)));
    std::transform(unit.begin(), unit.end(), unit.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (metricP) {
        unit = unit.empty() ? "mm" : "P takes no unit";
    } else if (unit == "mod") {
        unit = "module";
    }
    const double value = std::strtod(number.c_str(), nullptr);
    const bool pitchText =
        std::count(number.begin(), number.end(), '.') <= 1 &&
        std::count(number.begin(), number.end(), ',') == 0 &&
        number.find_first_of("0123456789") != std::string::npos &&
        (unit == "mm" || unit == "tpi" || unit == "in" || unit == "module" || unit == "dp") && value > 0 &&
        std::isfinite(value);
    if (!pitchText) {
        Require(!problem.empty(), "a text that is not a pitch says what is wrong");
        return false;
    }
    Require(problem.empty() && TextOf(pitch.unit).key == unit && pitch.designation.empty() &&
                std::bit_cast<std::uint64_t>(pitch.value) == std::bit_cast<std::uint64_t>(value),
            "a pitch text reads as strtod's number and its unit");
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pitchText = input.ConsumeRandomLengthString(400);
    const std::string leadscrewText = input.ConsumeRandomLengthString(400);
    Thread thread;
    thread.starts = input.ConsumeIntegralInRange<std::uint32_t>(1, 1000);
    thread.fixed = std::fabs(input.ConsumeFloatingPoint<double>());
    const SolutionRecord train{0, input.ConsumeIntegralInRange<std::uint32_t>(1, 255),
                               input.ConsumeIntegralInRange<std::uint32_t>(1, 255),
                               input.ConsumeIntegralInRange<std::uint32_t>(1, 255),
                               input.ConsumeIntegralInRange<std::uint32_t>(1, 255)};

    const bool pitchRead = ReadsAsPitch(pitchText, thread.pitch, ReadPitch(pitchText, thread.pitch));
    const bool leadscrewRead =
        ReadsAsPitch(leadscrewText, thread.leadscrew, ReadPitch(leadscrewText, thread.leadscrew));
    if (!pitchRead || !leadscrewRead) {
        return 0;
    }
    DescribeThreadTrain(thread, train);
    PpmText(LeadErrorPpm(thread, TrainRatio(train)));
    const double lead = LeadMm(thread);
    const double ratio = TargetRatio(thread);
    if (std::isnormal(lead) && std::isnormal(LeadscrewMm(thread) * thread.fixed) && std::isnormal(ratio)) {
        Require(std::fabs(LeadOfRatio(thread, ratio) - lead) <= 1e-12 * lead,
                "the target ratio cuts the lead");
    }
    return 0;
}
