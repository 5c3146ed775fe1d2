// What the window's thread line, the tool and the chart say when another kind
// of train serves the target better than the kind chosen (better_kind.h).
#pragma once

#include "better_kind.h"
#include "shown_train.h"
#include "thread.h"
#include "train.h"

#include <optional>
#include <string>

// "exact with six gears: 30 127 75 60 80 25" for a train that meets the
// target, otherwise "within 0.1 % with four gears: 20 127 55 80 (+12.3 ppm)"
// (the error of a plain ratio as the window's error field gives it); the
// gears in the order the settings show them (ShowTrain).
std::string BetterKindText(const BetterKind& better, const ShowSettings& settings, double target,
                           const std::optional<Thread>& thread);
