// The banjo's geometry on any banjo and any gears: the rule that mounts a
// simple or four-gear arrangement is what the distances between the
// shafts and the gears' circles say, computed here straight from them; the
// tooth limits hold every four- and six-gear train that mounts; the
// first arrangement that mounts is the first in the documented order that
// does; and a train that mounts is placed with every mesh at its pitch
// circles, the leadscrew the centre distance below the spindle and the last
// stud in the slot.
#include "banjo.h"
#include "mount.h"
#include "placement.h"
#include "require.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

struct Circles {
    const Banjo& banjo;
    double Pitch(std::uint32_t z) const { return banjo.module * z / 2; }
    double Tip(std::uint32_t z) const { return Pitch(z) + banjo.module; }
    double Mesh(std::uint32_t x, std::uint32_t y) const { return Pitch(x) + Pitch(y); }
    bool Limits(std::uint32_t a, std::uint32_t last) const {
        return !(banjo.maxA && a > *banjo.maxA) && !(banjo.maxLast && last > *banjo.maxLast);
    }
    bool Slot(double stud) const { return stud >= banjo.studMin && stud <= banjo.studMax; }
    // The gear's tips stay the clearance away from a shaft at that distance.
    bool Clear(std::uint32_t z, double shaft) const { return Tip(z) + banjo.clearance <= shaft; }
};

bool DirectMounts(const Banjo& banjo, const std::vector<std::uint32_t>& g) {
    const Circles c{banjo};
    const double l = banjo.centreDistance;
    if (g.size() == 3) { // A, idler, D in one plane
        const double spindle = c.Mesh(g[0], g[1]);
        const double leadscrew = c.Mesh(g[1], g[2]);
        return c.Limits(g[0], g[2]) && c.Slot(leadscrew) && std::fabs(spindle - leadscrew) <= l &&
               l <= spindle + leadscrew && c.Clear(g[0], l) && c.Clear(g[2], l) &&
               c.Tip(g[0]) + c.Tip(g[2]) <= l;
    }
    const double a = c.Mesh(g[0], g[1]);
    const double b = c.Mesh(g[2], g[3]);
    return c.Limits(g[0], g[3]) && c.Slot(b) && std::fabs(a - b) <= l && l <= a + b && c.Clear(g[2], a) &&
           c.Clear(g[1], b) && c.Clear(g[0], l) && c.Clear(g[3], l);
}

bool CoreMounts(const Banjo& banjo, const std::vector<std::uint32_t>& g) {
    if (g.size() == 3) {
        return MountsSimple(banjo, g[0], g[1], g[2]);
    }
    if (g.size() == 4) {
        return Mounts(banjo, Arrangement{g[0], g[1], g[2], g[3]});
    }
    return Mounts(banjo, Arrangement6{g[0], g[1], g[2], g[3], g[4], g[5]});
}

void CheckPlacement(const Banjo& banjo, const std::vector<std::uint32_t>& g) {
    const std::optional<Placement> placement = PlaceTrain(g, banjo);
    Require(placement.has_value(), "a train that mounts is placed");
    const std::vector<Point>& shafts = placement->shafts;
    const auto distance = [&](std::size_t i, std::size_t j) {
        return std::hypot(shafts[i].x - shafts[j].x, shafts[i].y - shafts[j].y);
    };
    const auto near = [](double x, double y) { return std::fabs(x - y) <= 1e-9 * std::max({1.0, x, y}); };
    for (std::size_t i = 0; i + 1 < g.size(); ++i) {
        const PlacedGear& x = placement->gears[i];
        const PlacedGear& y = placement->gears[i + 1];
        Require(x.teeth == g[i], "the gears stay in position order");
        Require(x.shaft == y.shaft || near(distance(x.shaft, y.shaft), x.radius + y.radius),
                "meshing gears stand their pitch radii apart");
    }
    Require(near(distance(0, shafts.size() - 1), banjo.centreDistance), "the leadscrew stands where it is");
    const double stud = distance(shafts.size() - 2, shafts.size() - 1);
    Require(stud >= banjo.studMin - 1e-9 * stud && stud <= banjo.studMax + 1e-9 * stud,
            "the stud stands in the slot");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Banjo banjo;
    banjo.module = input.ConsumeFloatingPointInRange(0.2, 5.0);
    banjo.centreDistance = input.ConsumeFloatingPointInRange(0.0, 800.0);
    banjo.studMin = input.ConsumeFloatingPointInRange(0.0, 500.0);
    banjo.studMax = banjo.studMin + input.ConsumeFloatingPointInRange(0.0, 500.0);
    banjo.clearance = input.ConsumeFloatingPointInRange(0.0, 10.0);
    if (input.ConsumeBool()) {
        banjo.maxA = input.ConsumeIntegralInRange<std::uint32_t>(1, 255);
    }
    if (input.ConsumeBool()) {
        banjo.maxLast = input.ConsumeIntegralInRange<std::uint32_t>(1, 255);
    }
    const std::size_t count = std::array<std::size_t, 3>{3, 4, 6}[input.ConsumeIntegralInRange(0, 2)];
    std::vector<std::uint32_t> gears;
    for (std::size_t i = 0; i < count; ++i) {
        gears.push_back(input.ConsumeIntegralInRange<std::uint32_t>(1, 255));
    }

    const bool mounts = CoreMounts(banjo, gears);
    if (count != 3) {
        std::vector<std::uint32_t> drivers = {gears[0], gears[2]};
        std::vector<std::uint32_t> driven = {gears[1], gears[3]};
        if (count == 6) {
            drivers.push_back(gears[4]);
            driven.push_back(gears[5]);
        }
        std::ranges::sort(drivers);
        std::ranges::sort(driven);
        const ToothLimits limits = LimitsOf(banjo);
        const bool may = count == 4 ? MayMount(limits, std::array{drivers[0], drivers[1]},
                                               std::array{driven[0], driven[1]})
                                    : MayMount(limits, std::array{drivers[0], drivers[1], drivers[2]},
                                               std::array{driven[0], driven[1], driven[2]});
        Require(may || !mounts, "the tooth limits hold every train that mounts");
    }
    Require(count == 6 || DirectMounts(banjo, gears) == mounts, "the rule is what the distances say");
    if (mounts) {
        CheckPlacement(banjo, gears);
    }

    // The first arrangement that mounts: drivers at the even positions, driven gears at the odd ones.
    const MountRule rule{0, banjo};
    if (count == 4) {
        const std::vector<std::vector<std::uint32_t>> order = {{gears[0], gears[1], gears[2], gears[3]},
                                                               {gears[0], gears[3], gears[2], gears[1]},
                                                               {gears[2], gears[1], gears[0], gears[3]},
                                                               {gears[2], gears[3], gears[0], gears[1]}};
        const auto first =
            std::find_if(order.begin(), order.end(), [&](const auto& g) { return DirectMounts(banjo, g); });
        const auto found = MountArrangement(gears[0], gears[2], gears[1], gears[3], rule);
        Require(found.has_value() == (first != order.end()), "some four-gear arrangement mounts");
        Require(!found || std::equal(found->begin(), found->end(), first->begin()), "the first one is taken");
    }
    if (count == 6) {
        const std::array<std::uint32_t, 3> drivers = {gears[0], gears[2], gears[4]};
        const std::array<std::uint32_t, 3> driven = {gears[1], gears[3], gears[5]};
        std::optional<std::vector<std::uint32_t>> first;
        for (int a = 0; a < 3 && !first; ++a) {
            for (int b = 0; b < 3 && !first; ++b) {
                for (int c = 0; c < 3 && !first; ++c) {
                    for (int d = 0; d < 3 && !first; ++d) {
                        if (a == c || b == d) {
                            continue;
                        }
                        const std::vector<std::uint32_t> g = {drivers[a],         driven[b],
                                                              drivers[c],         driven[d],
                                                              drivers[3 - a - c], driven[3 - b - d]};
                        if (CoreMounts(banjo, g)) {
                            first = g;
                        }
                    }
                }
            }
        }
        const auto found = MountArrangement(drivers, driven, rule);
        Require(found.has_value() == first.has_value(), "some six-gear arrangement mounts");
        Require(!found || std::equal(found->begin(), found->end(), first->begin()), "the first one is taken");
    }
    return 0;
}
