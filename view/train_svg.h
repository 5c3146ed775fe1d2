// A gear train as an SVG drawing on paper, for the printed chart: the train
// as the shown-train rules place it (train_drawing.h), at a size in points
// that keeps its tooth counts readable.
#pragma once

#include "banjo.h"
#include "shown_train.h"

#include <optional>
#include <string>
#include <string_view>

// Text with &, <, >, " and ' written as entities, safe in HTML and SVG text and attributes.
std::string EscapeHtml(std::string_view text);

// The drawing's size in points (57.9 x 50.1 mm), and the size of its tooth counts.
inline constexpr double kTrainSvgWidth = 164;
inline constexpr double kTrainSvgHeight = 142;
inline constexpr double kTrainSvgToothCountPt = 9;

// An <svg> element of that size with a <title> of `title` (escaped): each
// pitch circle in its plane's line (solid, dashed, dotted), a bar across
// each pitch point where two gears mesh, the shafts as dots, every tooth
// count and shaft name clear of the lines. On the banjo where the banjo
// arranged the train, otherwise in proportion.
std::string TrainSvg(const ShownTrain& shown, const std::optional<Banjo>& banjo, std::string_view title);
