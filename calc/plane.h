// Points in the plane of the change gears, and where two circles about them
// meet: what places the studs between the spindle and the leadscrew.
#pragma once

struct Point {
    double x;
    double y;
};

double Distance(Point p, Point q);

// The point r0 from p0 and r1 from p1 with the larger x (on a tie, the larger
// y). Circles that just miss by rounding meet where they come closest; about
// one centre, the point to its right.
Point Meet(Point p0, double r0, Point p1, double r1);
