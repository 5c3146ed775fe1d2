#include "train_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

// Halvings of the scale tried when the labels do not fit beside circles as large as the box allows.
constexpr int kScaleSteps = 12;

std::size_t PlaneOf(std::size_t position, std::size_t gears) {
    return gears == 3 ? 0 : position / 2;
}

struct Extent {
    double left = std::numeric_limits<double>::infinity();
    double top = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double bottom = -std::numeric_limits<double>::infinity();

    void Add(double x, double y, double halfWidth, double halfHeight) {
        left = std::min(left, x - halfWidth);
        right = std::max(right, x + halfWidth);
        top = std::min(top, y - halfHeight);
        bottom = std::max(bottom, y + halfHeight);
    }
};

Extent ExtentOf(const TrainDrawing& drawing, double shaftRadius) {
    Extent extent;
    for (const DrawnGear& gear : drawing.gears) {
        extent.Add(gear.x, gear.y, gear.radius, gear.radius);
    }
    for (const DrawnShaft& shaft : drawing.shafts) {
        extent.Add(shaft.x, shaft.y, shaftRadius, shaftRadius);
    }
    for (const MeshMark& mesh : drawing.meshes) {
        extent.Add(mesh.stroke.x1, mesh.stroke.y1, 0, 0);
        extent.Add(mesh.stroke.x2, mesh.stroke.y2, 0, 0);
    }
    for (const std::vector<Label>* labels : {&drawing.toothCounts, &drawing.shaftNames}) {
        for (const Label& label : *labels) {
            extent.Add(label.x, label.y, label.width / 2, label.height / 2);
        }
    }
    return extent;
}

void Move(TrainDrawing& drawing, double dx, double dy) {
    for (DrawnGear& gear : drawing.gears) {
        gear.x += dx;
        gear.y += dy;
    }
    for (DrawnShaft& shaft : drawing.shafts) {
        shaft.x += dx;
        shaft.y += dy;
    }
    const auto moveSegment = [&](Segment& s) { s = {s.x1 + dx, s.y1 + dy, s.x2 + dx, s.y2 + dy}; };
    for (MeshMark& mesh : drawing.meshes) {
        moveSegment(mesh.stroke);
    }
    for (std::vector<Label>* labels : {&drawing.toothCounts, &drawing.shaftNames}) {
        for (Label& label : *labels) {
            label.x += dx;
            label.y += dy;
            if (label.leader) {
                moveSegment(*label.leader);
            }
        }
    }
}

// The drawing at `scale` drawing units to the placement's unit, y downward,
// its circles in the middle of the area (the box less its margin), with its
// labels placed in the area; and whether they all found a clear place.
std::pair<TrainDrawing, bool> Layout(const Placement& placement, double scale, const Box& area,
                                     const DrawingStyle& style, const std::vector<TextSize>& counts,
                                     const std::vector<TextSize>& names) {
    TrainDrawing drawing;
    const std::size_t count = placement.gears.size();
    for (std::size_t i = 0; i < count; ++i) {
        const PlacedGear& gear = placement.gears[i];
        const Point centre = placement.shafts[gear.shaft];
        drawing.gears.push_back(
            {centre.x * scale, -centre.y * scale, gear.radius * scale, gear.teeth, PlaneOf(i, count)});
    }
    for (std::size_t shaft = 0; shaft < placement.shafts.size(); ++shaft) {
        const Point centre = placement.shafts[shaft];
        drawing.shafts.push_back(
            {centre.x * scale, -centre.y * scale, ShaftLabel(shaft, placement.shafts.size())});
    }
    const Extent circles = ExtentOf(drawing, 0);
    Move(drawing, (area.left + area.right - circles.left - circles.right) / 2,
         (area.top + area.bottom - circles.top - circles.bottom) / 2);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (placement.gears[i].shaft == placement.gears[i + 1].shaft) {
            continue;
        }
        const DrawnGear& a = drawing.gears[i];
        const DrawnGear& b = drawing.gears[i + 1];
        const double distance = std::max(std::hypot(b.x - a.x, b.y - a.y), 1e-12);
        const double ux = (b.x - a.x) / distance;
        const double uy = (b.y - a.y) / distance;
        const double px = a.x + ux * a.radius;
        const double py = a.y + uy * a.radius;
        const double half = style.meshLength / 2;
        drawing.meshes.push_back(
            {{px - ux * half, py - uy * half, px + ux * half, py + uy * half}, PlaneOf(i, count)});
    }

    LabelObstacles obstacles;
    obstacles.gap = style.gap;
    obstacles.bounds = area;
    for (const DrawnGear& gear : drawing.gears) {
        obstacles.lines.push_back({gear.x, gear.y, gear.radius});
    }
    for (const DrawnShaft& shaft : drawing.shafts) {
        obstacles.dots.push_back({shaft.x, shaft.y, style.shaftRadius});
    }
    for (const MeshMark& mesh : drawing.meshes) {
        obstacles.marks.push_back(mesh.stroke);
    }
    // The tooth counts first, the smallest gear's first: it has the least room.
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, {}, [&](std::size_t i) { return drawing.gears[i].radius; });
    std::vector<WantedLabel> wanted;
    for (const std::size_t i : order) {
        wanted.push_back({std::to_string(drawing.gears[i].teeth), counts[i].width, counts[i].height, i});
    }
    for (std::size_t s = 0; s < drawing.shafts.size() && style.shaftNames; ++s) {
        const DrawnShaft& shaft = drawing.shafts[s];
        wanted.push_back({shaft.label, names[s].width, names[s].height, std::nullopt, shaft.x, shaft.y});
    }
    PlacedLabels placed = PlaceLabels(obstacles, wanted);
    drawing.toothCounts.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        drawing.toothCounts[order[k]] = std::move(placed.labels[k]);
    }
    drawing.shaftNames.assign(placed.labels.begin() + static_cast<std::ptrdiff_t>(count),
                              placed.labels.end());
    for (DrawnShaft& shaft : drawing.shafts) {
        shaft.dot = std::ranges::none_of(drawing.toothCounts, [&](const Label& label) {
            return std::fabs(label.x - shaft.x) < label.width / 2 &&
                   std::fabs(label.y - shaft.y) < label.height / 2;
        });
    }
    return {std::move(drawing), placed.clear};
}

} // namespace

std::string ShaftLabel(std::size_t shaft, std::size_t shafts) {
    if (shaft == 0) {
        return "spindle";
    }
    if (shaft + 1 == shafts) {
        return "leadscrew";
    }
    return shafts == 3 ? "stud" : "stud " + std::to_string(shaft);
}

std::optional<Placement> PlaceShownTrain(const ShownTrain& shown, const std::optional<Banjo>& banjo) {
    if (shown.onBanjo && banjo) {
        if (std::optional<Placement> placement = PlaceTrain(shown.gears, banjo)) {
            return placement;
        }
    }
    return PlaceTrain(shown.gears, std::nullopt);
}

std::vector<std::string> ShaftKey(const Placement& placement, bool doesNotMount) {
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
    if (doesNotMount) {
        key.emplace_back("does not mount on the banjo");
    }
    return key;
}

std::vector<KeyLine> TrainKey(const Placement& placement, bool doesNotMount) {
    std::vector<KeyLine> key;
    for (std::string& line : ShaftKey(placement, doesNotMount)) {
        key.push_back({std::move(line), std::nullopt});
    }
    const std::size_t count = placement.gears.size();
    const std::vector<const char*> planes = count == 6   ? std::vector<const char*>{"front", "middle", "back"}
                                            : count == 4 ? std::vector<const char*>{"front", "back"}
                                                         : std::vector<const char*>{};
    for (std::size_t plane = 0; plane < planes.size(); ++plane) {
        key.push_back({std::string(planes[plane]) +
                           " plane: " + std::to_string(placement.gears[2 * plane].teeth) + ", " +
                           std::to_string(placement.gears[2 * plane + 1].teeth),
                       plane});
    }
    return key;
}

TrainDrawing DrawTrain(const Placement& placement, const DrawingBox& box, const DrawingStyle& style,
                       const MeasureText& measure) {
    std::vector<TextSize> counts;
    for (const PlacedGear& gear : placement.gears) {
        counts.push_back(measure(std::to_string(gear.teeth), true));
    }
    std::vector<TextSize> names;
    for (std::size_t shaft = 0; shaft < placement.shafts.size(); ++shaft) {
        names.push_back(measure(ShaftLabel(shaft, placement.shafts.size()), false));
    }
    const Box area = {box.left + style.margin, box.top + style.margin,
                      box.left + std::max(box.width - style.margin, style.margin),
                      box.top + std::max(box.height - style.margin, style.margin)};
    Extent circles;
    for (const PlacedGear& gear : placement.gears) {
        const Point centre = placement.shafts[gear.shaft];
        circles.Add(centre.x, -centre.y, gear.radius, gear.radius);
    }
    const double largest = std::min((area.right - area.left) / std::max(circles.right - circles.left, 1e-9),
                                    (area.bottom - area.top) / std::max(circles.bottom - circles.top, 1e-9));
    auto [drawing, clear] = Layout(placement, largest, area, style, counts, names);
    if (!clear) {
        // The largest scale at which every label finds a clear place, found by
        // halving the interval; where none does, the smallest scale tried.
        double low = 0;
        double high = largest;
        std::optional<TrainDrawing> fitting;
        for (int step = 0; step < kScaleSteps; ++step) {
            const double middle = (low + high) / 2;
            auto [tried, fits] = Layout(placement, middle, area, style, counts, names);
            (fits ? low : high) = middle;
            if (fits) {
                fitting = std::move(tried);
            } else if (!fitting) {
                drawing = std::move(tried);
            }
        }
        if (fitting) {
            drawing = std::move(*fitting);
        }
    }
    const Extent extent = ExtentOf(drawing, style.shaftRadius);
    Move(drawing, (area.left + area.right - extent.left - extent.right) / 2,
         (area.top + area.bottom - extent.top - extent.bottom) / 2);
    return drawing;
}

DrawingInBox DrawTrainInLargest(const Placement& placement, std::span<const DrawingBox> boxes,
                                const DrawingStyle& style, const MeasureText& measure) {
    std::optional<DrawingInBox> largest;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        TrainDrawing drawing = DrawTrain(placement, boxes[b], style, measure);
        if (!largest || drawing.gears.front().radius > largest->drawing.gears.front().radius) {
            largest = DrawingInBox{std::move(drawing), b};
        }
    }
    return std::move(*largest);
}
