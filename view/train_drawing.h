// A train drawn to scale in a box: where each shaft and each gear's pitch
// circle go, in the box's own units with y growing downward. The window's
// diagram and the printed chart's drawings both draw from it.
#pragma once

#include "placement.h"

#include <cstdint>
#include <string>
#include <vector>

struct DrawnGear {
    double x;
    double y;
    double radius;
    std::uint32_t teeth;
};

struct DrawnShaft {
    double x;
    double y;
    std::string label; // "spindle", "stud", "stud 1", "stud 2", "leadscrew"
};

struct TrainDrawing {
    std::vector<DrawnGear> gears; // in position order
    std::vector<DrawnShaft> shafts;
};

// The placement as large as fits in a width x height box with `margin` free
// on every side, its proportions kept and its centre in the box's centre.
TrainDrawing DrawTrain(const Placement& placement, double width, double height, double margin);
