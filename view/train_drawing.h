// A train drawn to scale in a box: where each shaft and each gear's pitch
// circle go, in the box's own units with y growing downward. The window's
// diagram and the printed chart's drawings both draw from it.
#pragma once

#include "placement.h"

#include <cstdint>
#include <span>
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

// The name of a placement's shaft: "spindle", "stud" (or "stud 1", "stud 2"), "leadscrew".
std::string ShaftLabel(std::size_t shaft, std::size_t shafts);

// The shafts from the spindle to the leadscrew, each named with its gears in
// the order they mesh, for a key beside a drawing: "spindle: 20",
// "stud 1: 25, 30", "leadscrew: 60".
std::vector<std::string> ShaftKey(const Placement& placement);

// The placement as large as fits in a width x height box with `margin` free
// on every side, its proportions kept and its centre in the box's centre.
TrainDrawing DrawTrain(const Placement& placement, double width, double height, double margin);

// A box of a drawing surface: its top-left corner and its size.
struct DrawingBox {
    double left;
    double top;
    double width;
    double height;
};

// The placement drawn as DrawTrain draws it, in whichever of the boxes holds
// it largest (the first of equals), moved to that box's place on the surface.
// The boxes are not empty.
TrainDrawing DrawTrainInLargest(const Placement& placement, std::span<const DrawingBox> boxes, double margin);
