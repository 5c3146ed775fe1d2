#include "label_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

namespace {

// The directions tried about what a label names, the first straight up, then clockwise on screen.
constexpr int kDirections = 24;
// The distances from the centre tried inside a circle, as eighths of its radius.
constexpr int kInsideSteps = 8;
// Once a label has a place, the rings beyond the one it stands in tried for a better one.
constexpr int kRingsBeyondFirst = 3;
// The most rings tried outside a circle or point, however small the label.
constexpr int kMostRings = 200;

// The length of (x, y): std::hypot's care for overflow is not needed here, and it costs.
double Length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

Box BoxOf(const Label& label) {
    return {label.x - label.width / 2, label.y - label.height / 2, label.x + label.width / 2,
            label.y + label.height / 2};
}

double Nearest(const Box& box, double x, double y) {
    return Length(std::max({box.left - x, 0.0, x - box.right}), std::max({box.top - y, 0.0, y - box.bottom}));
}

double Farthest(const Box& box, double x, double y) {
    return Length(std::max(std::fabs(x - box.left), std::fabs(x - box.right)),
                  std::max(std::fabs(y - box.top), std::fabs(y - box.bottom)));
}

double BoxDistance(const Box& a, const Box& b) {
    return Length(std::max({a.left - b.right, b.left - a.right, 0.0}),
                  std::max({a.top - b.bottom, b.top - a.bottom, 0.0}));
}

double PointToSegment(double x, double y, const Segment& s) {
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((x - s.x1) * dx + (y - s.y1) * dy) / length2, 0.0, 1.0) : 0.0;
    return Length(x - (s.x1 + t * dx), y - (s.y1 + t * dy));
}

// Whether the segment passes through the box (Liang and Barsky's clipping).
bool SegmentMeetsBox(const Segment& s, const Box& box) {
    double enter = 0;
    double leave = 1;
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    for (const auto& [p, q] : {std::pair{-dx, s.x1 - box.left}, std::pair{dx, box.right - s.x1},
                               std::pair{-dy, s.y1 - box.top}, std::pair{dy, box.bottom - s.y1}}) {
        if (p == 0) {
            if (q < 0) {
                return false;
            }
        } else if (p < 0) {
            enter = std::max(enter, q / p);
        } else {
            leave = std::min(leave, q / p);
        }
    }
    return enter <= leave;
}

double SegmentToBox(const Segment& s, const Box& box) {
    if (SegmentMeetsBox(s, box)) {
        return 0;
    }
    double distance = std::min(Nearest(box, s.x1, s.y1), Nearest(box, s.x2, s.y2));
    for (const auto& [x, y] : {std::pair{box.left, box.top}, std::pair{box.right, box.top},
                               std::pair{box.left, box.bottom}, std::pair{box.right, box.bottom}}) {
        distance = std::min(distance, PointToSegment(x, y, s));
    }
    return distance;
}

// How far the box keeps from the circle's line: negative where it crosses it.
double FromLine(const Box& box, const Circle& circle) {
    const double nearest = Nearest(box, circle.x, circle.y);
    if (nearest >= circle.radius) {
        return nearest - circle.radius;
    }
    const double farthest = Farthest(box, circle.x, circle.y);
    return farthest <= circle.radius ? circle.radius - farthest : -1;
}

bool Inside(const Box& box, const Circle& circle) {
    return Farthest(box, circle.x, circle.y) <= circle.radius;
}

// Whether the whole of `inner` lies within `outer` (a circle lies within itself).
bool Within(const Circle& inner, const Circle& outer) {
    return Length(inner.x - outer.x, inner.y - outer.y) + inner.radius <= outer.radius + 1e-9;
}

// The distance from (x, y), inside the box, to the box's edge in direction (ux, uy).
double ToEdge(const Box& box, double x, double y, double ux, double uy) {
    return std::min(ux > 0   ? (box.right - x) / ux
                    : ux < 0 ? (box.left - x) / ux
                             : 1e300,
                    uy > 0   ? (box.bottom - y) / uy
                    : uy < 0 ? (box.top - y) / uy
                             : 1e300);
}

// How often the segment crosses the circle's line.
int Crossings(const Segment& s, const Circle& c) {
    const bool first = Length(s.x1 - c.x, s.y1 - c.y) < c.radius;
    const bool second = Length(s.x2 - c.x, s.y2 - c.y) < c.radius;
    if (first != second) {
        return 1;
    }
    return !first && PointToSegment(c.x, c.y, s) < c.radius ? 2 : 0;
}

bool SameCentre(const Circle& c, double x, double y) {
    return c.x == x && c.y == y;
}

struct Candidate {
    Label label;
    int tier = 0; // lower is better
    int ring = 0;
    int crossings = 0; // of the leader with other circles' lines
    double clearance = 0;
    bool valid = false;

    auto Rank() const {
        return std::make_tuple(!valid, valid ? tier : 0, valid ? crossings : 0, valid ? ring : 0, -clearance);
    }
};

class Placer {
  public:
    explicit Placer(const LabelObstacles& obstacles) : obstacles_(obstacles) {
        Box extent = obstacles.bounds.value_or(Box{0, 0, 0, 0});
        for (const Circle& c : obstacles.lines) {
            extent = {std::min(extent.left, c.x - c.radius), std::min(extent.top, c.y - c.radius),
                      std::max(extent.right, c.x + c.radius), std::max(extent.bottom, c.y + c.radius)};
        }
        extent_ = Length(extent.right - extent.left, extent.bottom - extent.top);
    }

    // The best place for the label, and whether it keeps clear of everything.
    std::pair<Label, bool> Place(const WantedLabel& wanted) {
        std::optional<Candidate> best;
        const auto consider = [&](Candidate candidate) {
            // Judging cannot lower the tier or the ring: a place that cannot beat a clear one is passed by.
            if (best && best->valid &&
                std::make_tuple(best->tier, best->crossings, best->ring) <
                    std::make_tuple(candidate.tier, 0, candidate.ring)) {
                return;
            }
            Judge(candidate, wanted);
            if (!best || candidate.Rank() < best->Rank()) {
                best = std::move(candidate);
            }
        };
        if (wanted.circle) {
            const Circle& own = obstacles_.lines[*wanted.circle];
            for (int step = 0; step < kInsideSteps; ++step) {
                for (int d = 0; d < (step == 0 ? 1 : kDirections); ++d) {
                    const auto [ux, uy] = Direction(d);
                    const double rho = own.radius * step / kInsideSteps;
                    consider({At(wanted, own.x + rho * ux, own.y + rho * uy), 0});
                }
            }
            Outside(
                wanted, own.x, own.y, [&](double, double) { return own.radius; }, own.radius, 2, 4, consider,
                best);
        } else {
            // The point shows as its dot (taken as the square about it), or as a tooth count standing on it.
            Box mark = {wanted.x, wanted.y, wanted.x, wanted.y};
            for (const Circle& dot : obstacles_.dots) {
                if (SameCentre(dot, wanted.x, wanted.y)) {
                    mark = {dot.x - dot.radius, dot.y - dot.radius, dot.x + dot.radius, dot.y + dot.radius};
                }
            }
            for (const Label& label : placed_) {
                if (Nearest(BoxOf(label), wanted.x, wanted.y) == 0) {
                    mark = BoxOf(label);
                }
            }
            const auto edge = [&](double ux, double uy) { return ToEdge(mark, wanted.x, wanted.y, ux, uy); };
            double around = Farthest(mark, wanted.x, wanted.y);
            for (const Circle& c : obstacles_.lines) {
                around = SameCentre(c, wanted.x, wanted.y) ? std::max(around, c.radius) : around;
            }
            for (int d = 0; d < kDirections; ++d) {
                const auto [ux, uy] = Direction(d);
                const double x = (mark.left + mark.right) / 2;
                const double y = (mark.top + mark.bottom) / 2;
                const double clear = Clearing(ux, uy, (wanted.width + mark.right - mark.left) / 2,
                                              (wanted.height + mark.bottom - mark.top) / 2, obstacles_.gap);
                consider({At(wanted, x + clear * ux, y + clear * uy), 0});
            }
            Outside(wanted, wanted.x, wanted.y, edge, around, 1, 2, consider, best);
        }
        placed_.push_back(best->label);
        return {best->label, best->valid};
    }

  private:
    static std::pair<double, double> Direction(int d) {
        const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * d / kDirections;
        return {std::cos(angle), std::sin(angle)};
    }

    static Label At(const WantedLabel& wanted, double x, double y) {
        return {wanted.text, x, y, wanted.width, wanted.height, std::nullopt};
    }

    // How far from a point along (ux, uy) a box of these half-extents must
    // stand to keep `clear` from it: the least distance at which the box's
    // nearest point is that far away.
    static double Clearing(double ux, double uy, double halfWidth, double halfHeight, double clear) {
        const double a = std::fabs(ux);
        const double b = std::fabs(uy);
        if (a > 0 && b * (clear + halfWidth) / a <= halfHeight) {
            return (clear + halfWidth) / a; // a side of the box faces the point
        }
        if (b > 0 && a * (clear + halfHeight) / b <= halfWidth) {
            return (clear + halfHeight) / b; // the top or the bottom faces it
        }
        const double p = a * halfWidth + b * halfHeight; // a corner faces it
        return p + std::sqrt(std::max(
                       p * p - (halfWidth * halfWidth + halfHeight * halfHeight - clear * clear), 0.0));
    }

    // Rings of the label's height beyond `beyond` about (x, y) out to the
    // bounds, each label with a leader from start(u) along u out to its box,
    // of the free tier where no circle holds the label, else of the held tier.
    template <typename Start, typename Consider>
    void Outside(const WantedLabel& wanted, double x, double y, const Start& start, double beyond,
                 int freeTier, int heldTier, const Consider& consider,
                 const std::optional<Candidate>& best) const {
        const int rings = static_cast<int>(std::min(
            std::ceil(extent_ / std::max(wanted.height + obstacles_.gap, 1e-9)), double(kMostRings)));
        int last = rings;
        for (int ring = 0; ring <= last; ++ring) {
            for (int d = 0; d < kDirections; ++d) {
                const auto [ux, uy] = Direction(d);
                const double from = start(ux, uy);
                const double clear =
                    std::max(beyond, from) + obstacles_.gap + ring * (wanted.height + obstacles_.gap);
                const double distance = Clearing(ux, uy, wanted.width / 2, wanted.height / 2, clear);
                Label label = At(wanted, x + distance * ux, y + distance * uy);
                const double edge = ToEdge(BoxOf(label), label.x, label.y, -ux, -uy);
                label.leader =
                    Segment{x + from * ux, y + from * uy, label.x - edge * ux, label.y - edge * uy};
                const Box box = BoxOf(label);
                const bool held =
                    std::ranges::any_of(obstacles_.lines, [&](const Circle& c) { return Inside(box, c); });
                consider({std::move(label), held ? heldTier : freeTier, ring});
            }
            if (best && best->valid && last == rings) {
                last = std::min(rings, ring + kRingsBeyondFirst);
            }
        }
    }

    void Judge(Candidate& candidate, const WantedLabel& wanted) const {
        const Box box = BoxOf(candidate.label);
        const double gap = obstacles_.gap;
        const Circle* own = wanted.circle ? &obstacles_.lines[*wanted.circle] : nullptr;
        const bool inside = own && !candidate.label.leader; // a place inside its own circle
        double clearance = std::numeric_limits<double>::infinity();
        bool leaderClear = true;
        bool extraCircle = false;
        for (const Circle& circle : obstacles_.lines) {
            clearance = std::min(clearance, FromLine(box, circle));
            if (inside) {
                // Inside its own circle; where a circle that does not hold all of it holds the label
                // too, the label is as good as one outside that a circle holds.
                if (&circle == own && !Inside(box, circle)) {
                    return;
                }
                extraCircle |= Inside(box, circle) && !Within(*own, circle);
            }
            const bool anchored = own ? &circle == own : SameCentre(circle, wanted.x, wanted.y);
            if (candidate.label.leader && !anchored) {
                candidate.crossings += Crossings(*candidate.label.leader, circle);
            }
        }
        for (const Circle& dot : obstacles_.dots) {
            const double from = Nearest(box, dot.x, dot.y) - dot.radius;
            // A tooth count may stand on its own shaft, over the dot, where nothing else leaves it room.
            const bool covered =
                inside && SameCentre(dot, own->x, own->y) && dot.x - box.left >= dot.radius + gap &&
                box.right - dot.x >= dot.radius + gap && dot.y - box.top >= dot.radius + gap &&
                box.bottom - dot.y >= dot.radius + gap;
            candidate.tier += covered ? 1 : 0;
            clearance = covered ? clearance : std::min(clearance, from);
        }
        for (const Segment& mark : obstacles_.marks) {
            clearance = std::min(clearance, SegmentToBox(mark, box));
        }
        for (const Label& other : placed_) {
            clearance = std::min(clearance, BoxDistance(box, BoxOf(other)));
            if (other.leader) {
                clearance = std::min(clearance, SegmentToBox(*other.leader, box));
            }
            // A point's leader starts at the edge of a label that stands on the point.
            if (candidate.label.leader && (own || Nearest(BoxOf(other), wanted.x, wanted.y) > 0)) {
                leaderClear &= SegmentToBox(*candidate.label.leader, BoxOf(other)) >= gap;
            }
        }
        const bool inBounds = !obstacles_.bounds ||
                              (box.left >= obstacles_.bounds->left && box.right <= obstacles_.bounds->right &&
                               box.top >= obstacles_.bounds->top && box.bottom <= obstacles_.bounds->bottom);
        candidate.tier += extraCircle ? 3 : 0;
        candidate.clearance = clearance;
        candidate.valid = clearance >= gap - 1e-9 && leaderClear && inBounds;
    }

    const LabelObstacles& obstacles_;
    double extent_ = 0;
    std::vector<Label> placed_;
};

} // namespace

PlacedLabels PlaceLabels(const LabelObstacles& obstacles, const std::vector<WantedLabel>& wanted) {
    Placer placer(obstacles);
    PlacedLabels placed;
    for (const WantedLabel& label : wanted) {
        auto [at, clear] = placer.Place(label);
        placed.labels.push_back(std::move(at));
        placed.clear &= clear;
    }
    return placed;
}

bool CrossesCircleLine(const Label& label, const Circle& circle, double gap) {
    return FromLine(BoxOf(label), circle) < gap;
}

bool LabelsMeet(const Label& a, const Label& b, double gap) {
    return BoxDistance(BoxOf(a), BoxOf(b)) < gap;
}
