#include "train_drawing.h"

#include <algorithm>
#include <limits>

std::string ShaftLabel(std::size_t shaft, std::size_t shafts) {
    if (shaft == 0) {
        return "spindle";
    }
    if (shaft + 1 == shafts) {
        return "leadscrew";
    }
    return shafts == 3 ? "stud" : "stud " + std::to_string(shaft);
}

std::vector<std::string> ShaftKey(const Placement& placement) {
    std::vector<std::string> key;
    for (std::size_t shaft = 0; shaft < placement.shafts.size(); ++shaft) {
        std::string line = ShaftLabel(shaft, placement.shafts.size()) + ":";
        for (const PlacedGear& gear : placement.gears) {
            if (gear.shaft == shaft) {
                line += line.back() == ':' ? " " : ", ";
                line += std::to_string(gear.teeth);
            }
        }
        key.push_back(line);
    }
    return key;
}

TrainDrawing DrawTrain(const Placement& placement, double width, double height, double margin) {
    // The box that holds every pitch circle, in the placement's units, y upward.
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    double bottom = left;
    double top = -left;
    for (const PlacedGear& gear : placement.gears) {
        const Point centre = placement.shafts[gear.shaft];
        left = std::min(left, centre.x - gear.radius);
        right = std::max(right, centre.x + gear.radius);
        bottom = std::min(bottom, centre.y - gear.radius);
        top = std::max(top, centre.y + gear.radius);
    }
    const double scale = std::min((width - 2 * margin) / std::max(right - left, 1e-9),
                                  (height - 2 * margin) / std::max(top - bottom, 1e-9));
    const auto x = [&](double px) { return width / 2 + (px - (left + right) / 2) * scale; };
    const auto y = [&](double py) { return height / 2 - (py - (bottom + top) / 2) * scale; };

    TrainDrawing drawing;
    for (const PlacedGear& gear : placement.gears) {
        const Point centre = placement.shafts[gear.shaft];
        drawing.gears.push_back({x(centre.x), y(centre.y), gear.radius * scale, gear.teeth});
    }
    for (std::size_t shaft = 0; shaft < placement.shafts.size(); ++shaft) {
        const Point centre = placement.shafts[shaft];
        drawing.shafts.push_back({x(centre.x), y(centre.y), ShaftLabel(shaft, placement.shafts.size())});
    }
    return drawing;
}

TrainDrawing DrawTrainInLargest(const Placement& placement, std::span<const DrawingBox> boxes,
                                double margin) {
    const DrawingBox* best = nullptr;
    TrainDrawing largest;
    for (const DrawingBox& box : boxes) {
        TrainDrawing drawing = DrawTrain(placement, box.width, box.height, margin);
        if (best == nullptr || drawing.gears.front().radius > largest.gears.front().radius) {
            best = &box;
            largest = std::move(drawing);
        }
    }
    for (DrawnGear& gear : largest.gears) {
        gear.x += best->left;
        gear.y += best->top;
    }
    for (DrawnShaft& shaft : largest.shafts) {
        shaft.x += best->left;
        shaft.y += best->top;
    }
    return largest;
}
