#include "better_kind_text.h"

#include "solution_texts.h"

#include <cmath>

namespace {

std::string KindName(std::uint32_t gears) {
    return gears == 2 ? "two gears" : gears == 6 ? "six gears" : "four gears";
}

} // namespace

std::string BetterKindText(const BetterKind& better, const ShowSettings& settings, double target,
                           const std::optional<Thread>& thread) {
    const SolutionRecord& train = better.train;
    const std::string gears = KindName(train.gears) + ": " + GearsText(ShowTrain(train, settings).gears);
    // Tooth products meet a target exactly up to the rounding of the target's own arithmetic. The
    // error is taken against this target, not the search's: the window searches for the ratio its
    // field holds, which reads back within 1e-12 of the thread's.
    if (std::fabs(TrainRatio(train) - target) <= std::fabs(target) * 1e-12) {
        return "exact with " + gears;
    }
    const std::string error = thread ? PpmText(LeadErrorPpm(*thread, TrainRatio(train)))
                                     : "error " + MakeSolutionTexts(train, target, true, true).error;
    return "within " + ToleranceShort(better.kept) + " with " + gears + " (" + error + ")";
}
