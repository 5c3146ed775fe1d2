#include "train_drawing.h"

#include "random_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// A font whose characters are 0.6 of its size wide, its texts 1.2 of its size high.
MeasureText Font(double toothCounts, double shaftNames) {
    return [=](const std::string& text, bool toothCount) {
        const double size = toothCount ? toothCounts : shaftNames;
        return TextSize{0.6 * size * static_cast<double>(text.size()), 1.2 * size};
    };
}

// The printed chart's drawing, a large window and the main window's small area.
struct Surface {
    DrawingBox box;
    DrawingStyle style;
    MeasureText measure;
};
const Surface kSurfaces[] = {
    {{0, 0, 164, 142}, {2, 1.4, 7, 1.2, true}, Font(9, 7)},
    {{20, 30, 640, 420}, {8, 3, 12, 3, true}, Font(18, 15)},
    {{268, 0, 116, 146}, {2, 2, 6, 1, false}, Font(12, 12)},
};

bool NearlyOn(double x, double y, const DrawnGear& gear) {
    return std::fabs(std::hypot(x - gear.x, y - gear.y) - gear.radius) < 1e-6;
}

} // namespace

// Trains of every kind, tiny gears beside huge ones, on random banjos (where
// they mount and where they do not) and without one, on every surface: the
// drawing keeps the meshes and the proportions, meshing gears share a plane
// and the gears of a stud do not; every gear has its tooth count and every
// shaft its name; no label crosses a circle line or meets another label, a
// shaft's dot or a mesh mark; a tooth count stands inside its gear (on its
// shaft only in place of the shaft's dot) or has a leader from its circle; a
// shaft's name stands by its dot (or by the tooth count on it) or has a
// leader from it; and everything stays in the box.
TEST(DrawTrain, EveryLabelIsClearOfLinesAndLabelsInsideTheBox) {
    RandomCases random(26);
    const std::uint32_t extremes[][2] = {{16, 165}, {165, 16}, {16, 17}, {165, 160}, {20, 127}};
    for (int trial = 0; trial < 240; ++trial) {
        const std::size_t count = std::array<std::size_t, 3>{3, 4, 6}[trial % 3];
        std::vector<std::uint32_t> gears;
        for (std::size_t i = 0; i < count; ++i) {
            gears.push_back(trial < 30 ? extremes[trial % 5][(i + trial / 5) % 2] : random.Uniform(16, 165));
        }
        const std::optional<Banjo> banjo =
            trial % 2 == 0 ? std::optional<Banjo>() : std::optional<Banjo>(random.MakeBanjo(165));
        const std::optional<Placement> placement = PlaceShownTrain({gears, banjo.has_value()}, banjo);
        ASSERT_TRUE(placement);
        const Surface& surface = kSurfaces[trial % std::size(kSurfaces)];
        const TrainDrawing drawing = DrawTrain(*placement, surface.box, surface.style, surface.measure);
        SCOPED_TRACE(::testing::Message() << "trial " << trial << ", gears " << GearsText(gears));

        ASSERT_EQ(drawing.gears.size(), count);
        ASSERT_EQ(drawing.toothCounts.size(), count);
        ASSERT_EQ(drawing.shaftNames.size(), surface.style.shaftNames ? placement->shafts.size() : 0);
        ASSERT_EQ(drawing.meshes.size(), count == 3 ? 2u : count / 2);
        const double gap = surface.style.gap - 1e-6;
        std::vector<Label> labels = drawing.toothCounts;
        labels.insert(labels.end(), drawing.shaftNames.begin(), drawing.shaftNames.end());
        for (std::size_t i = 0; i < count; ++i) {
            const DrawnGear& gear = drawing.gears[i];
            EXPECT_NEAR(gear.radius / drawing.gears[0].radius, double(gear.teeth) / gears[0], 1e-9);
            const Label& label = drawing.toothCounts[i];
            EXPECT_EQ(label.text, std::to_string(gear.teeth));
            if (label.leader) {
                EXPECT_TRUE(NearlyOn(label.leader->x1, label.leader->y1, gear)) << label.text;
            } else {
                EXPECT_LT(std::hypot(label.x - gear.x, label.y - gear.y), gear.radius)
                    << label.text << " inside its gear";
            }
            if (i > 0) {
                const DrawnGear& before = drawing.gears[i - 1];
                const bool sameShaft = placement->gears[i].shaft == placement->gears[i - 1].shaft;
                EXPECT_EQ(gear.plane == before.plane, !sameShaft);
                // Where the placement meshes them (a train that mounts), so does the drawing.
                const Point p = placement->shafts[placement->gears[i].shaft];
                const Point q = placement->shafts[placement->gears[i - 1].shaft];
                if (!sameShaft && std::fabs(Distance(p, q) - placement->gears[i].radius -
                                            placement->gears[i - 1].radius) < 1e-9) {
                    EXPECT_NEAR(std::hypot(gear.x - before.x, gear.y - before.y), gear.radius + before.radius,
                                1e-6);
                    // Its mark stands at the pitch point, in its plane.
                    const MeshMark& mesh = drawing.meshes.at(count == 3 ? i - 1 : i / 2);
                    const double x = (mesh.stroke.x1 + mesh.stroke.x2) / 2;
                    const double y = (mesh.stroke.y1 + mesh.stroke.y2) / 2;
                    EXPECT_TRUE(mesh.plane == gear.plane && NearlyOn(x, y, gear) && NearlyOn(x, y, before));
                }
            }
        }
        for (std::size_t s = 0; s < drawing.shafts.size(); ++s) {
            // A shaft shows as its dot, or as the tooth count of its gear standing on it.
            const DrawnShaft& shaft = drawing.shafts[s];
            const double r = surface.style.shaftRadius;
            const auto on = std::ranges::find_if(drawing.toothCounts, [&](const Label& l) {
                return std::fabs(l.x - shaft.x) < l.width / 2 && std::fabs(l.y - shaft.y) < l.height / 2;
            });
            EXPECT_EQ(shaft.dot, on == drawing.toothCounts.end()) << shaft.label;
            if (on != drawing.toothCounts.end()) {
                const DrawnGear& gear =
                    drawing.gears[static_cast<std::size_t>(on - drawing.toothCounts.begin())];
                EXPECT_TRUE(gear.x == shaft.x && gear.y == shaft.y) << on->text << " on its own shaft";
            }
            const Label mark = shaft.dot ? Label{"", shaft.x, shaft.y, 2 * r, 2 * r, std::nullopt} : *on;
            if (s < drawing.shaftNames.size()) {
                const Label& name = drawing.shaftNames[s];
                EXPECT_EQ(name.text, ShaftLabel(s, drawing.shafts.size()));
                const Label from =
                    name.leader ? Label{"", name.leader->x1, name.leader->y1, 0, 0, std::nullopt} : name;
                EXPECT_TRUE(LabelsMeet(from, mark, surface.style.gap + 1e-6)) << name.text << " by its shaft";
            }
        }
        for (std::size_t a = 0; a < labels.size(); ++a) {
            const Label& label = labels[a];
            for (const DrawnGear& gear : drawing.gears) {
                EXPECT_FALSE(CrossesCircleLine(label, {gear.x, gear.y, gear.radius}, gap))
                    << label.text << " crosses the circle of " << gear.teeth;
            }
            for (const DrawnShaft& shaft : drawing.shafts) {
                EXPECT_FALSE(shaft.dot &&
                             CrossesCircleLine(label, {shaft.x, shaft.y, surface.style.shaftRadius}, gap))
                    << label.text << " meets the dot of " << shaft.label;
            }
            for (const MeshMark& mesh : drawing.meshes) {
                const Label mark = {"",
                                    (mesh.stroke.x1 + mesh.stroke.x2) / 2,
                                    (mesh.stroke.y1 + mesh.stroke.y2) / 2,
                                    std::fabs(mesh.stroke.x2 - mesh.stroke.x1),
                                    std::fabs(mesh.stroke.y2 - mesh.stroke.y1),
                                    std::nullopt};
                EXPECT_FALSE(LabelsMeet(label, mark, gap)) << label.text << " meets a mesh mark";
            }
            for (std::size_t b = 0; b < labels.size(); ++b) {
                EXPECT_TRUE(b <= a || !LabelsMeet(label, labels[b], gap))
                    << label.text << " meets " << labels[b].text;
                // A leader passes no other label: its points, 1/50 apart, stay out of their boxes.
                for (int step = 0; label.leader && b != a && step <= 50; ++step) {
                    const Segment& s = *label.leader;
                    const double x = s.x1 + (s.x2 - s.x1) * step / 50;
                    const double y = s.y1 + (s.y2 - s.y1) * step / 50;
                    EXPECT_FALSE(std::fabs(x - labels[b].x) < labels[b].width / 2 - 1e-6 &&
                                 std::fabs(y - labels[b].y) < labels[b].height / 2 - 1e-6)
                        << "the leader of " << label.text << " passes " << labels[b].text;
                }
            }
            const DrawingBox& box = surface.box;
            const double margin = surface.style.margin - 1e-6;
            EXPECT_TRUE(label.x - label.width / 2 >= box.left + margin &&
                        label.x + label.width / 2 <= box.left + box.width - margin &&
                        label.y - label.height / 2 >= box.top + margin &&
                        label.y + label.height / 2 <= box.top + box.height - margin)
                << label.text << " in the box";
        }
    }
}

// The drawing is as large as the box allows: where the labels fit inside the
// gears, the circles reach the box's margin.
TEST(DrawTrain, AsLargeAsTheBoxAllows) {
    const Placement placement = *PlaceTrain({60, 80, 70, 90}, std::nullopt);
    for (const DrawingBox& box : {DrawingBox{0, 0, 600, 400}, DrawingBox{10, 10, 300, 700}}) {
        const TrainDrawing drawing = DrawTrain(placement, box, {10, 3, 10, 3, true}, Font(14, 12));
        double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
        for (const DrawnGear& g : drawing.gears) {
            left = std::min(left, g.x - g.radius);
            right = std::max(right, g.x + g.radius);
            top = std::min(top, g.y - g.radius);
            bottom = std::max(bottom, g.y + g.radius);
        }
        EXPECT_TRUE(std::fabs(right - left - (box.width - 20)) < 1e-6 ||
                    std::fabs(bottom - top - (box.height - 20)) < 1e-6);
    }
}

// A train stands in the box that holds it largest (the first of equals), at
// that box's place; a tall train and a round one take different boxes.
TEST(DrawTrain, InTheBoxThatHoldsItLargest) {
    const Placement tall = *PlaceTrain({20, 25, 20}, Banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt});
    const Placement round = *PlaceTrain({20, 120, 20}, Banjo{1, 10, 40, 100, 3, std::nullopt, std::nullopt});
    const DrawingBox boxes[] = {{0, 0, 100, 100}, {500, 0, 50, 200}, {0, 300, 300, 60}};
    const DrawingStyle style = {5, 1, 4, 1, true};
    std::vector<std::size_t> chosen;
    for (const Placement& placement : {tall, round}) {
        const DrawingInBox largest = DrawTrainInLargest(placement, boxes, style, Font(3, 3));
        for (std::size_t b = 0; b < std::size(boxes); ++b) {
            const TrainDrawing own = DrawTrain(placement, boxes[b], style, Font(3, 3));
            EXPECT_GE(largest.drawing.gears.front().radius, own.gears.front().radius);
            if (b == largest.box) {
                EXPECT_EQ(largest.drawing.shafts.back().x, own.shafts.back().x);
            }
        }
        chosen.push_back(largest.box);
    }
    EXPECT_EQ(chosen, (std::vector<std::size_t>{1, 0}));
}

TEST(DrawTrain, TheKeyNamesEachShaftAndPlaneWithItsGears) {
    std::vector<std::string> lines;
    for (const auto& [gears, doesNotMount] :
         {std::pair{std::vector<std::uint32_t>{30, 60, 40, 50, 25, 35}, false},
          std::pair{std::vector<std::uint32_t>{20, 127, 30, 40}, false},
          std::pair{std::vector<std::uint32_t>{20, 21, 40}, true}}) {
        for (const KeyLine& line : TrainKey(*PlaceTrain(gears, std::nullopt), doesNotMount)) {
            lines.push_back((line.plane ? std::to_string(*line.plane) + " " : "") + line.text);
        }
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "spindle: 30", "stud 1: 60, 40", "stud 2: 50, 25", "leadscrew: 35", "0 front plane: 30, 60",
                  "1 middle plane: 40, 50", "2 back plane: 25, 35", "spindle: 20", "stud: 127, 30",
                  "leadscrew: 40", "0 front plane: 20, 127", "1 back plane: 30, 40", "spindle: 20",
                  "stud: 21", "leadscrew: 40", "does not mount on the banjo"}));
}
