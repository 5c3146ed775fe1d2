// Where the labels of a drawing go: each beside what it names, clear of
// every circle line, shaft dot and mark of the drawing and of every other
// label, so that no text is crossed by a line or written over another.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct Circle {
    double x;
    double y;
    double radius;
};

struct Segment {
    double x1;
    double y1;
    double x2;
    double y2;
};

// A text's box, by its centre and size, in the drawing's units with y growing downward.
struct Label {
    std::string text;
    double x;
    double y;
    double width;
    double height;
    std::optional<Segment> leader; // to what it names, where it stands apart from it
};

struct Box {
    double left;
    double top;
    double right;
    double bottom;
};

// What the labels keep clear of, by at least `gap`, and the bounds they keep within.
struct LabelObstacles {
    std::vector<Circle> lines; // circle lines: a label lies wholly inside or wholly outside each
    std::vector<Circle> dots;  // filled dots, such as the shafts
    std::vector<Segment> marks;
    double gap = 0;
    std::optional<Box> bounds;
};

// A label wanted: the circle of obstacles.lines it names (a gear's tooth
// count), or else the point it names (a shaft's name), with its text's size.
struct WantedLabel {
    std::string text;
    double width;
    double height;
    std::optional<std::size_t> circle;
    double x = 0;
    double y = 0;
};

struct PlacedLabels {
    std::vector<Label> labels; // in the order wanted
    bool clear = true;         // every label keeps clear of everything and within the bounds
};

// The labels, placed in the order wanted, each clear of the obstacles, of
// the labels and leaders placed before it, and within the bounds. A circle's
// label goes, best first: inside the circle where no other circle holds it
// but those around the whole circle, beside the dot at its centre; the same
// over that dot, where the label covers it; outside the circle, with a
// leader from its line, where no circle holds it; inside it where other
// circles hold it too; outside it where a circle holds it. A point's label
// goes beside the point's dot (or beside a label standing on the point), or
// else beyond the largest circle about the point, with a leader from it. Among places of one rank,
// the leader that crosses the fewest other circles' lines wins, then the
// ring nearest the circle or point, then the place farthest from every line
// and label. A label that finds no clear place stands where it meets the
// least, and the result says so.
PlacedLabels PlaceLabels(const LabelObstacles& obstacles, const std::vector<WantedLabel>& wanted);

// Whether a label's box crosses the circle's line or comes within `gap` of it.
bool CrossesCircleLine(const Label& label, const Circle& circle, double gap);

// Whether two labels' boxes come within `gap` of each other.
bool LabelsMeet(const Label& a, const Label& b, double gap);
