// A train drawn to scale in a box: where each shaft and each gear's pitch
// circle go, which plane each gear turns in, where two gears mesh, and where
// each tooth count and shaft name stands, in the box's own units with y
// growing downward. The main window's diagram, the drawing window and the
// printed chart's drawings all draw from it.
#pragma once

#include "banjo.h"
#include "label_placement.h"
#include "placement.h"
#include "shown_train.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The planes the gears turn in are counted from the front (nearest you as
// you face the change gears) back: A and B turn in plane 0, C and D behind
// them in plane 1, E and F of six gears behind those in plane 2. A simple
// train's gears all turn in the idler's plane, plane 0. Planes 0, 1 and 2
// are drawn solid, dashed and dotted.
struct DrawnGear {
    double x;
    double y;
    double radius;
    std::uint32_t teeth;
    std::size_t plane;
};

struct DrawnShaft {
    double x;
    double y;
    std::string label; // "spindle", "stud", "stud 1", "stud 2", "leadscrew"
    bool dot = true;   // drawn as a dot; not where its gear's tooth count stands on it
};

// Where two gears mesh: a short stroke across their pitch point, along the
// line between their centres, in their plane.
struct MeshMark {
    Segment stroke;
    std::size_t plane;
};

struct TrainDrawing {
    std::vector<DrawnGear> gears; // in position order
    std::vector<DrawnShaft> shafts;
    std::vector<MeshMark> meshes;
    std::vector<Label> toothCounts; // one per gear, in position order
    std::vector<Label> shaftNames;  // one per shaft, where the style names them
};

// A text's size where it is drawn, in the drawing's units: a tooth count's
// (in the font of the tooth counts) or a shaft's name.
struct TextSize {
    double width;
    double height;
};
using MeasureText = std::function<TextSize(const std::string& text, bool toothCount)>;

// The sizes of what is drawn besides the circles, in the drawing's units.
struct DrawingStyle {
    double margin;      // free on every side of the box
    double shaftRadius; // a shaft's dot
    double meshLength;  // a mesh mark's stroke
    double gap;         // the least distance from a label to any line, dot, mark or other label
    bool
        shaftNames; // whether the shafts are named on the drawing (otherwise only a key beside it names them)
};

// The name of a placement's shaft: "spindle", "stud" (or "stud 1", "stud 2"), "leadscrew".
std::string ShaftLabel(std::size_t shaft, std::size_t shafts);

// The shown train placed for a drawing: on the banjo where the banjo
// arranged it, otherwise in proportion (in modules). None for a train of any
// count of gears but 2, 4 and 6.
std::optional<Placement> PlaceShownTrain(const ShownTrain& shown, const std::optional<Banjo>& banjo);

// The key beside a drawing: the shafts from the spindle to the leadscrew,
// each named with its gears in the order they mesh ("spindle: 20",
// "stud 1: 25, 30", "leadscrew: 60"); then, for a train drawn without the
// banjo it does not mount on, a line that says so.
std::vector<std::string> ShaftKey(const Placement& placement, bool doesNotMount);

// A line of a drawing's key: its text, after a stroke in a plane's line where it names a plane.
struct KeyLine {
    std::string text;
    std::optional<std::size_t> plane;
};

// The key of a drawing that has room for it: ShaftKey's lines, then for a
// train of more than one plane each plane from the front back with its
// gears ("front plane: 20, 127", "back plane: 30, 40"; six gears "front",
// "middle" and "back").
std::vector<KeyLine> TrainKey(const Placement& placement, bool doesNotMount);

// A box of a drawing surface: its top-left corner and its size.
struct DrawingBox {
    double left;
    double top;
    double width;
    double height;
};

// The placement as large as fits in the box, with the style's margin free
// on every side, its proportions kept: the circles, the shafts, the mesh
// marks, and each gear's tooth count and each shaft's name where
// PlaceLabels puts them, within the box. Where the labels find no clear
// place beside circles as large as the box allows, the circles are drawn
// smaller until they do. The circles and labels together stand in the box's
// centre.
TrainDrawing DrawTrain(const Placement& placement, const DrawingBox& box, const DrawingStyle& style,
                       const MeasureText& measure);

// The placement drawn as DrawTrain draws it, in whichever of the boxes holds
// it largest (the first of equals), and which box that is. The boxes are not empty.
struct DrawingInBox {
    TrainDrawing drawing;
    std::size_t box;
};
DrawingInBox DrawTrainInLargest(const Placement& placement, std::span<const DrawingBox> boxes,
                                const DrawingStyle& style, const MeasureText& measure);
