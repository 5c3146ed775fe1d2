#include "solution_texts.h"

#include "number_text.h"

namespace {

// Tooth counts are shown as "%i" shows them.
std::string ToothText(std::uint32_t tooth) {
    return std::to_string(static_cast<int>(tooth));
}

// A negative error too small for 14 decimals would show as "-0.00000000000000";
// the field shows it without the sign. Only that exact text is changed, so a
// non-finite error such as "-inf" keeps its sign.
std::string WithoutNegativeZero(std::string errorText) {
    if (errorText == "-0.00000000000000") {
        errorText.erase(0, 1);
    }
    return errorText;
}

} // namespace

void PlaceArrangement(SolutionTexts& texts, const Arrangement& gears) {
    texts.firstDriver = ToothText(gears[0]);
    texts.firstDriven = ToothText(gears[1]);
    texts.secondDriver = ToothText(gears[2]);
    texts.secondDriven = ToothText(gears[3]);
}

double AchievedRatio(const SolutionRecord& record) {
    if (record.gears != 4) {
        return TrainRatio(record);
    }
    double ratio = static_cast<double>(record.driver1) / static_cast<double>(record.driven1);
    ratio *= static_cast<double>(record.driver2);
    return ratio / static_cast<double>(record.driven2) * record.box;
}

std::optional<unsigned> ZeroCount(std::string_view errorText) {
    std::size_t signLength = !errorText.empty() && errorText.front() == '-' ? 1 : 0;
    // Only a text whose integer part is 0 has zeros to count.
    if (errorText.size() <= signLength || errorText[signLength] != '0') {
        return std::nullopt;
    }
    std::size_t p = errorText.find_first_of("123456789");
    if (p == std::string_view::npos) {
        p = errorText.size();
    }
    // p - signLength - 2 zeros stand between "0." and the first nonzero digit.
    std::size_t first = signLength + 3;
    if (p < first || p > first + 12) {
        return std::nullopt;
    }
    return static_cast<unsigned>(p - signLength - 2);
}

SolutionTexts MakeSolutionTexts(const SolutionRecord& record, std::string_view ratioText,
                                bool firstDriverSmaller, bool firstDrivenLarger) {
    return MakeSolutionTexts(record, RatioFromText(ratioText), firstDriverSmaller, firstDrivenLarger);
}

SolutionTexts MakeSolutionTexts(const SolutionRecord& record, double target, bool firstDriverSmaller,
                                bool firstDrivenLarger) {
    SolutionTexts texts;
    if (record.gears != 0) { // the plate's gears have no tooth counts to show
        texts.firstDriver = ToothText(firstDriverSmaller ? record.driver1 : record.driver2);
        texts.secondDriver = ToothText(firstDriverSmaller ? record.driver2 : record.driver1);
        texts.firstDriven = ToothText(firstDrivenLarger ? record.driven2 : record.driven1);
        texts.secondDriven = ToothText(firstDrivenLarger ? record.driven1 : record.driven2);
    }

    double achieved = AchievedRatio(record);
    texts.achievedRatio = FormatFixed14(achieved);
    texts.error = WithoutNegativeZero(FormatFixed14(achieved - target));
    if (std::optional<unsigned> zeros = ZeroCount(texts.error)) {
        texts.zeroCount = std::to_string(*zeros);
    }
    return texts;
}
