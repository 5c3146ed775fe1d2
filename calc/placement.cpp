#include "placement.h"

#include <cmath>
#include <numbers>

namespace {

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
    const std::optional<SixGearStuds> studs = PlaceStuds(
        *banjo, {positions[0], positions[1], positions[2], positions[3], positions[4], positions[5]});
    if (!studs) {
        return std::nullopt;
    }
    placement.shafts = {spindle, studs->stud1, studs->stud2, leadscrew};
    return placement;
}
