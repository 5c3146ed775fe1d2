#include "plane.h"

#include <algorithm>
#include <cmath>
#include <tuple>

double Distance(Point p, Point q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}

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
