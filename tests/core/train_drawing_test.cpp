#include "train_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

// Trains of every kind that mount, with and without a banjo, in boxes wide and tall: every
// circle inside the box and its margin, meshing gears still touching, and the
// shafts named from the spindle to the leadscrew.
TEST(DrawTrain, FitsTheBoxAndKeepsTheMeshes) {
    const Banjo banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt};
    struct Case {
        std::vector<std::uint32_t> positions;
        std::vector<std::string> shafts;
    } cases[] = {
        {{40, 50, 60}, {"spindle", "stud", "leadscrew"}},
        {{20, 127, 30, 40}, {"spindle", "stud", "leadscrew"}},
        {{30, 60, 40, 50, 25, 35}, {"spindle", "stud 1", "stud 2", "leadscrew"}},
    };
    for (const Case& c : cases) {
        for (const std::optional<Banjo>& lathe : {std::optional<Banjo>(), std::optional<Banjo>(banjo)}) {
            const std::optional<Placement> placement = PlaceTrain(c.positions, lathe);
            ASSERT_TRUE(placement) << c.positions.size();
            for (auto [width, height] : {std::pair{300.0, 200.0}, {120.0, 400.0}}) {
                const TrainDrawing drawing = DrawTrain(*placement, width, height, 10);
                ASSERT_EQ(drawing.gears.size(), c.positions.size());
                std::vector<std::string> labels;
                for (const DrawnShaft& shaft : drawing.shafts) {
                    labels.push_back(shaft.label);
                }
                EXPECT_EQ(labels, c.shafts);
                bool touchesAnEdge = false;
                for (std::size_t i = 0; i < drawing.gears.size(); ++i) {
                    const DrawnGear& g = drawing.gears[i];
                    EXPECT_GE(g.x - g.radius, 10 - 1e-9);
                    EXPECT_LE(g.x + g.radius, width - 10 + 1e-9);
                    EXPECT_GE(g.y - g.radius, 10 - 1e-9);
                    EXPECT_LE(g.y + g.radius, height - 10 + 1e-9);
                    touchesAnEdge |=
                        std::fabs(g.x - g.radius - 10) < 1e-6 || std::fabs(g.y - g.radius - 10) < 1e-6;
                    EXPECT_NEAR(g.radius / drawing.gears[0].radius, double(g.teeth) / c.positions[0], 1e-9);
                    if (i > 0 && placement->gears[i].shaft != placement->gears[i - 1].shaft) {
                        const DrawnGear& p = drawing.gears[i - 1];
                        EXPECT_NEAR(std::hypot(g.x - p.x, g.y - p.y), g.radius + p.radius, 1e-6);
                    }
                }
                EXPECT_TRUE(touchesAnEdge); // as large as fits
            }
        }
    }
}

// A train stands in the box that holds it largest (the first of equals), at
// that box's place; a tall train and a round one take different boxes.
TEST(DrawTrain, InTheBoxThatHoldsItLargest) {
    const Placement tall = *PlaceTrain({20, 25, 20}, Banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt});
    const Placement round = *PlaceTrain({20, 120, 20}, Banjo{1, 10, 40, 100, 3, std::nullopt, std::nullopt});
    const DrawingBox boxes[] = {{0, 0, 100, 100}, {500, 0, 50, 200}, {0, 300, 300, 60}};
    std::vector<std::size_t> chosen;
    for (const Placement& placement : {tall, round}) {
        const TrainDrawing drawing = DrawTrainInLargest(placement, boxes, 5);
        std::size_t box = std::size(boxes);
        for (std::size_t b = 0; b < std::size(boxes); ++b) {
            const TrainDrawing own = DrawTrain(placement, boxes[b].width, boxes[b].height, 5);
            EXPECT_GE(drawing.gears.front().radius, own.gears.front().radius);
            if (box == std::size(boxes) && own.gears.front().radius == drawing.gears.front().radius) {
                box = b;
                EXPECT_EQ(drawing.shafts.back().x, own.shafts.back().x + boxes[b].left);
                EXPECT_EQ(drawing.shafts.back().y, own.shafts.back().y + boxes[b].top);
            }
        }
        chosen.push_back(box);
    }
    EXPECT_EQ(chosen, (std::vector<std::size_t>{1, 0}));
}

TEST(DrawTrain, TheKeyNamesEachShaftWithItsGears) {
    EXPECT_EQ(ShaftKey(*PlaceTrain({30, 60, 40, 50, 25, 35}, std::nullopt)),
              (std::vector<std::string>{"spindle: 30", "stud 1: 60, 40", "stud 2: 50, 25", "leadscrew: 35"}));
    EXPECT_EQ(ShaftKey(*PlaceTrain({20, 21, 40}, std::nullopt)),
              (std::vector<std::string>{"spindle: 20", "stud: 21", "leadscrew: 40"}));
}
