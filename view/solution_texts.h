// The texts that the window shows for one solution record.
#pragma once

#include "fit.h"
#include "train.h"

#include <optional>
#include <string>
#include <string_view>

struct SolutionTexts {
    std::string firstDriver;   // 3003
    std::string firstDriven;   // 3004
    std::string secondDriver;  // 3005
    std::string secondDriven;  // 3006
    std::string achievedRatio; // 3007
    std::string error;         // 3008, after the negative-zero rule
    std::string zeroCount;     // 3009, empty when there is none
};

// ratioText is the ratio field's text; its first 17 characters give the target.
SolutionTexts MakeSolutionTexts(const SolutionRecord& record, std::string_view ratioText,
                                bool firstDriverSmaller, bool firstDrivenLarger);
// The same texts for a target given as a number.
SolutionTexts MakeSolutionTexts(const SolutionRecord& record, double target, bool firstDriverSmaller,
                                bool firstDrivenLarger);

// The tooth texts for a fitting arrangement instead of the option boxes'
// order: A first driver, B first driven, C second driver, D second driven.
void PlaceArrangement(SolutionTexts& texts, const Arrangement& gears);

// (driver1 / driven1) * driver2 / driven2 * box, in exactly that order; for
// the other kinds TrainRatio.
double AchievedRatio(const SolutionRecord& record);

// Zeros between the decimal point and the first nonzero digit of a formatted
// error text, when that is 1 to 13.
std::optional<unsigned> ZeroCount(std::string_view errorText);
