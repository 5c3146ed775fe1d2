// Where a train's shafts and gears stand, to draw it to scale: the spindle,
// the stud or studs and the leadscrew, and each gear's pitch circle.
#pragma once

#include "banjo.h"
#include "plane.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct PlacedGear {
    std::uint32_t teeth;
    double radius;     // the pitch radius
    std::size_t shaft; // its shaft, an index into Placement::shafts
};

// Lengths in mm with a banjo; without one in modules (m = 1), for a drawing
// fitted to its area.
struct Placement {
    std::vector<Point> shafts;     // the spindle, the stud (stud 1, stud 2), the leadscrew
    std::vector<PlacedGear> gears; // in position order
};

// The gears in position order (Positions, mount.h): A, idler, D; A B C D; A B
// C D E F. The spindle stands at (0, 0) and the leadscrew straight below it,
// at (0, -centre distance); the studs stand to the right (x > 0). With a banjo
// each stud stands where its gears mesh (for six gears, where PlaceStuds puts
// them, clear of the gears wherever the train mounts); without one, the
// centre distance is where the chain turns by a right angle at the stud (for
// six gears, by 60 degrees at each stud). A stud that cannot reach both of
// its neighbours stands where it comes closest. None for any other count of
// gears, or when six gears cannot close their chain on the banjo.
std::optional<Placement> PlaceTrain(const std::vector<std::uint32_t>& positions,
                                    const std::optional<Banjo>& banjo);
