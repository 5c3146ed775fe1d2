#include "placement.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace {

double Distance(Point p, Point q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}

// The point r0 from p0 and r1 from p1 with the larger x (on a tie, the larger
// y). Circles that just miss by rounding meet where they come closest; about
// one centre, the point to its right.
Point Meet(Point p0, double r0, Point p1, double r1) {
    const double d = Distance(p0, p1);
    if (!(d > 0)) {
        return {p0.x + r0, p0.y};
    }
    // Held within r0: centres that nearly coincide divide rounding by almost nothing.
    const double along = std::clamp((r0 * r0 - r1 * r1 + d * d) / (2 * d), -r0, r0);
    const double across = std::sqrt(r0 * r0 - along * along);
    const Point unit = {(p1.x - p0.x) / d, (p1.y - p0.y) / d};
    const Point base = {p0.x + along * unit.x, p0.y + along * unit.y};
    const Point left = {base.x - across * unit.y, base.y + across * unit.x};
    const Point right = {base.x + across * unit.y, base.y - across * unit.x};
    return std::tie(left.x, left.y) > std::tie(right.x, right.y) ? left : right;
}

// Without a banjo: the chain's links one after the other, each turned
// clockwise by `turn` from the one before, then the whole turned about the
// spindle so that the leadscrew stands straight below it.
std::vector<Point> Chain(const std::vector<double>& links, double turn) {
    std::vector<Point> shafts = {{0, 0}};
    double heading = 0;
    for (const double link : links) {
        const Point last = shafts.back();
        shafts.push_back({last.x + link * std::cos(heading), last.y + link * std::sin(heading)});
        heading -= turn;
    }
    const Point end = shafts.back();
    const double rotate = -std::numbers::pi / 2 - std::atan2(end.y, end.x);
    for (Point& p : shafts) {
        p = {p.x * std::cos(rotate) - p.y * std::sin(rotate),
             p.x * std::sin(rotate) + p.y * std::cos(rotate)};
    }
    shafts.back().x = 0; // exactly below, whatever the rounding
    return shafts;
}

} // namespace

std::optional<Placement> PlaceTrain(const std::vector<std::uint32_t>& positions,
                                    const std::optional<Banjo>& banjo) {
    const std::size_t count = positions.size();
    if (count != 3 && count != 4 && count != 6) {
        return std::nullopt;
    }
    const Banjo scale = banjo.value_or(Banjo{1, 0, 0, 0, 0, std::nullopt, std::nullopt});
    Placement placement;
    // A simple train's idler carries both meshes; otherwise each shaft after
    // the spindle carries a driven gear and the next driver.
    const std::vector<std::size_t> shafts = count == 3
                                                ? std::vector<std::size_t>{0, 1, 2}
                                                : (count == 4 ? std::vector<std::size_t>{0, 1, 1, 2}
                                                              : std::vector<std::size_t>{0, 1, 1, 2, 2, 3});
    for (std::size_t i = 0; i < count; ++i) {
        placement.gears.push_back({positions[i], PitchRadius(scale, positions[i]), shafts[i]});
    }
    // The mesh distances along the chain, spindle to leadscrew.
    std::vector<double> links;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (shafts[i] != shafts[i + 1]) {
            links.push_back(placement.gears[i].radius + placement.gears[i + 1].radius);
        }
    }
    if (!banjo) {
        placement.shafts = Chain(links, links.size() == 2 ? std::numbers::pi / 2 : std::numbers::pi / 3);
        return placement;
    }
    const Point spindle = {0, 0};
    const Point leadscrew = {0, -banjo->centreDistance};
    if (links.size() == 2) {
        placement.shafts = {spindle, Meet(spindle, links[0], leadscrew, links[1]), leadscrew};
        return placement;
    }
    const double a = links[0];
    const double b = links[1];
    const double c = links[2];
    const double l = banjo->centreDistance;
    const double tightest = std::max(std::fabs(a - b), std::fabs(l - c));
    const double widest = std::min(a + b, l + c);
    if (tightest > widest * (1 + 1e-12)) {
        return std::nullopt;
    }
    const Point stud2 = Meet(leadscrew, c, spindle, (tightest + widest) / 2);
    placement.shafts = {spindle, Meet(spindle, a, stud2, b), stud2, leadscrew};
    return placement;
}
