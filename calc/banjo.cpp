#include "banjo.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool WithinLimits(const Banjo& banjo, std::uint32_t a, std::uint32_t last) {
    return (!banjo.maxA || a <= *banjo.maxA) && (!banjo.maxLast || last <= *banjo.maxLast);
}

bool InSlot(const Banjo& banjo, double fromLeadscrew) {
    return banjo.studMin <= fromLeadscrew && fromLeadscrew <= banjo.studMax;
}

// A stud a from the spindle and b from the leadscrew exists.
bool Reaches(const Banjo& banjo, double a, double b) {
    return std::fabs(a - b) <= banjo.centreDistance && banjo.centreDistance <= a + b;
}

// The tip of the gear clears a shaft that far from the gear's centre.
bool Clears(const Banjo& banjo, std::uint32_t teeth, double distance) {
    return TipRadius(banjo, teeth) + banjo.clearance <= distance;
}

// The six-gear chain: its mesh distances, and the range of stud 2's distance
// e from the spindle over which it closes (empty, lo > hi, when it cannot).
struct Chain {
    double a; // spindle to stud 1
    double b; // stud 1 to stud 2
    double c; // stud 2 to the leadscrew
    double lo;
    double hi;
};

Chain ChainOf(const Banjo& banjo, const Arrangement6& g) {
    const double a = PitchRadius(banjo, g[0]) + PitchRadius(banjo, g[1]);
    const double b = PitchRadius(banjo, g[2]) + PitchRadius(banjo, g[3]);
    const double c = PitchRadius(banjo, g[4]) + PitchRadius(banjo, g[5]);
    const double l = banjo.centreDistance;
    return {a, b, c, std::max(std::fabs(a - b), std::fabs(l - c)), std::min(a + b, l + c)};
}

// The least distance at which the largest of three gears clears a shaft.
double Passing(const Banjo& banjo, std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return TipRadius(banjo, std::max({x, y, z})) + banjo.clearance;
}

struct Trial {
    SixGearStuds studs;
    double slack; // the least of the diagonals' clearances; below 0 where a gear fouls
};

// PlaceStuds's samples, the best of them; with `firstClear`, the first whose
// slack is not below 0 instead, once there is one.
Trial SampleStuds(const Banjo& banjo, const Arrangement6& g, const Chain& chain, bool firstClear) {
    constexpr int kSteps = 32;
    const Point spindle = {0, 0};
    const Point leadscrew = {0, -banjo.centreDistance};
    // A, D and E pass the diagonal from the spindle to stud 2; B, C and F the
    // one from stud 1 to the leadscrew.
    const double acrossSpindle = Passing(banjo, g[0], g[3], g[4]);
    const double acrossLeadscrew = Passing(banjo, g[1], g[2], g[5]);
    const double from = std::max(chain.lo, std::min(acrossSpindle, chain.hi));
    Trial best{{}, -std::numeric_limits<double>::infinity()};
    for (int k = 0; k <= kSteps; ++k) {
        const double e = from + (chain.hi - from) * k / kSteps;
        const Point stud2 = Meet(leadscrew, chain.c, spindle, e);
        const Point stud1 = Meet(spindle, chain.a, stud2, chain.b);
        const double slack =
            std::min(Distance(spindle, stud2) - acrossSpindle, Distance(stud1, leadscrew) - acrossLeadscrew);
        if (slack > best.slack) {
            best = {{stud1, stud2}, slack};
            if (firstClear && slack >= 0) {
                break;
            }
        }
    }
    return best;
}

} // namespace

double PitchRadius(const Banjo& banjo, std::uint32_t teeth) {
    return banjo.module * teeth / 2;
}

double TipRadius(const Banjo& banjo, std::uint32_t teeth) {
    return PitchRadius(banjo, teeth) + banjo.module;
}

bool Mounts(const Banjo& banjo, const Arrangement& g) {
    const double a = PitchRadius(banjo, g[0]) + PitchRadius(banjo, g[1]);
    const double b = PitchRadius(banjo, g[2]) + PitchRadius(banjo, g[3]);
    const double l = banjo.centreDistance;
    return WithinLimits(banjo, g[0], g[3]) && InSlot(banjo, b) && Reaches(banjo, a, b) &&
           Clears(banjo, g[2], a) && Clears(banjo, g[1], b) && Clears(banjo, g[0], l) &&
           Clears(banjo, g[3], l);
}

bool MountsSimple(const Banjo& banjo, std::uint32_t a, std::uint32_t idler, std::uint32_t d) {
    const double toSpindle = PitchRadius(banjo, a) + PitchRadius(banjo, idler);
    const double toLeadscrew = PitchRadius(banjo, idler) + PitchRadius(banjo, d);
    const double centres = banjo.centreDistance;
    return WithinLimits(banjo, a, d) && InSlot(banjo, toLeadscrew) &&
           Reaches(banjo, toSpindle, toLeadscrew) && Clears(banjo, a, centres) && Clears(banjo, d, centres) &&
           TipRadius(banjo, a) + TipRadius(banjo, d) <= centres;
}

std::optional<SixGearStuds> PlaceStuds(const Banjo& banjo, const Arrangement6& g) {
    const Chain chain = ChainOf(banjo, g);
    if (!(chain.lo <= chain.hi)) {
        return std::nullopt;
    }
    return SampleStuds(banjo, g, chain, false).studs;
}

ToothLimits LimitsOf(const Banjo& banjo) {
    const double m = banjo.module;
    const double l = banjo.centreDistance;
    const double scale =
        m + std::fabs(l) + std::fabs(banjo.clearance) + std::fabs(banjo.studMin) + std::fabs(banjo.studMax);
    ToothLimits limits;
    if (!(m > 0) || !std::isfinite(scale)) {
        return limits;
    }
    // Lengths widened by far more than rounding moves the rule's sums of radii.
    const double slack = scale * 1e-9;
    const auto whole = [](double teeth) {
        return teeth <= 0     ? 0
               : teeth >= 4e9 ? std::numeric_limits<std::uint32_t>::max()
                              : static_cast<std::uint32_t>(teeth);
    };
    // The most teeth whose pitch radius stays within a length, and the least
    // whose pitch radii together reach it.
    const auto most = [&](double length) { return whole(std::floor(2 * (length + slack) / m)); };
    const auto least = [&](double length) { return whole(std::ceil(2 * (length - slack) / m)); };
    const std::uint32_t clearsOtherEnd = most(l - banjo.clearance - m); // tip and clearance within l
    limits.mostA = std::min(clearsOtherEnd, banjo.maxA.value_or(limits.mostA));
    limits.mostLast = std::min(clearsOtherEnd, banjo.maxLast.value_or(limits.mostLast));
    limits.leastSlot = least(banjo.studMin);
    limits.mostSlot = most(banjo.studMax);
    limits.leastReach = least(l);
    return limits;
}

// The tests that need no placement first, those of the tooth counts alone
// before any length: most trains fail one of them.
bool Mounts(const Banjo& banjo, const Arrangement6& g) {
    if (!WithinLimits(banjo, g[0], g[5])) {
        return false;
    }
    const Chain chain = ChainOf(banjo, g);
    const double l = banjo.centreDistance;
    if (!(InSlot(banjo, chain.c) && chain.lo <= chain.hi && Clears(banjo, g[2], chain.a) &&
          Clears(banjo, g[1], chain.b) && Clears(banjo, g[4], chain.b) && Clears(banjo, g[3], chain.c) &&
          Clears(banjo, g[0], l) && Clears(banjo, g[5], l))) {
        return false;
    }
    // Stud 2's distance from the spindle reaches at most the chain's largest;
    // stud 1's from the leadscrew lies between what the sides around it allow.
    const double acrossSpindle = Passing(banjo, g[0], g[3], g[4]);
    const double acrossLeadscrew = Passing(banjo, g[1], g[2], g[5]);
    if (acrossSpindle > chain.hi || acrossLeadscrew > std::min(chain.a + l, chain.b + chain.c)) {
        return false;
    }
    // Where stud 1 clears at any placement, every sample from A, D and E's least on clears.
    if (acrossLeadscrew <= std::max(std::fabs(chain.a - l), std::fabs(chain.b - chain.c))) {
        return true;
    }
    return SampleStuds(banjo, g, chain, true).slack >= 0;
}

std::string OnePitchProblem(const BanjoFigures& figures, const BanjoNames& names) {
    if (!figures.module || !figures.dp) {
        return {};
    }
    return std::string(names.module) + " and " + std::string(names.dp) +
           " exclude each other: give the one the gears are made to";
}

std::string BanjoOf(const BanjoFigures& figures, const BanjoNames& names, Banjo& banjo) {
    if (std::string problem = OnePitchProblem(figures, names); !problem.empty()) {
        return problem;
    }
    const std::string moduleOrDp = std::string(names.module) + " or " + std::string(names.dp);
    for (const auto& [given, name] : {std::pair{figures.module || figures.dp, std::string_view(moduleOrDp)},
                                      {figures.centreDistance.has_value(), names.centreDistance},
                                      {figures.studMin.has_value(), names.studMin},
                                      {figures.studMax.has_value(), names.studMax}}) {
        if (!given) {
            return "the banjo needs " + std::string(name);
        }
    }
    if (*figures.studMin > *figures.studMax) {
        const auto figure = [&names](std::string_view owner, std::string_view name, double length) {
            const std::string value = FormatShortest(length);
            return std::string(owner) + std::string(name) + " " + (names.quoted ? Quoted(value) : value);
        };
        return figure(names.studMinOwner, names.studMin, *figures.studMin) + " is above " +
               figure(names.studMaxOwner, names.studMax, *figures.studMax);
    }
    banjo = {.module = figures.dp ? 25.4 / *figures.dp : *figures.module,
             .centreDistance = *figures.centreDistance,
             .studMin = *figures.studMin,
             .studMax = *figures.studMax,
             .clearance = figures.clearance.value_or(Banjo{}.clearance),
             .maxA = figures.maxA,
             .maxLast = figures.maxLast};
    return {};
}
