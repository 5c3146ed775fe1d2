// A gear train as a small SVG drawing, for the printed chart: to scale at its
// positions when the banjo's geometry is known, otherwise the window's
// diagram of four gears with the tooth counts on it.
#pragma once

#include "banjo.h"
#include "train.h"
#include "train_facts.h"

#include <optional>
#include <string>
#include <string_view>

// Text with &, <, >, " and ' written as entities, safe in HTML and SVG text and attributes.
std::string EscapeHtml(std::string_view text);

// An <svg> element with a <title> of `title` (escaped). A train whose
// positions the banjo's geometry gave stands on its shafts to scale. Without
// them a four-gear train is the window's diagram, its gears labelled as the
// window's tooth fields show them (A, B, C, D where the fit arranged them);
// trains of two and six gears stand on their shafts in proportion (in modules).
std::string TrainSvg(const SolutionRecord& train, const TrainFacts& facts, const std::optional<Banjo>& banjo,
                     std::string_view title);
