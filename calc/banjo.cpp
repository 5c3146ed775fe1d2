#include "banjo.h"

#include <cmath>

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
    return WithinLimits(banjo, g[0], g[3]) && InSlot(banjo, b) && Reaches(banjo, a, b) &&
           Clears(banjo, g[2], a) && Clears(banjo, g[1], b);
}

bool MountsSimple(const Banjo& banjo, std::uint32_t a, std::uint32_t idler, std::uint32_t d) {
    const double toSpindle = PitchRadius(banjo, a) + PitchRadius(banjo, idler);
    const double toLeadscrew = PitchRadius(banjo, idler) + PitchRadius(banjo, d);
    const double centres = banjo.centreDistance;
    return WithinLimits(banjo, a, d) && InSlot(banjo, toLeadscrew) &&
           Reaches(banjo, toSpindle, toLeadscrew) && Clears(banjo, a, centres) && Clears(banjo, d, centres) &&
           TipRadius(banjo, a) + TipRadius(banjo, d) <= centres;
}

bool Mounts(const Banjo& banjo, const Arrangement6& g) {
    const double a = PitchRadius(banjo, g[0]) + PitchRadius(banjo, g[1]);
    const double b = PitchRadius(banjo, g[2]) + PitchRadius(banjo, g[3]);
    const double c = PitchRadius(banjo, g[4]) + PitchRadius(banjo, g[5]);
    const double l = banjo.centreDistance;
    const bool closes = a <= b + c + l && b <= a + c + l && c <= a + b + l && l <= a + b + c;
    return WithinLimits(banjo, g[0], g[5]) && InSlot(banjo, c) && closes && Clears(banjo, g[2], a) &&
           Clears(banjo, g[1], b) && Clears(banjo, g[4], b) && Clears(banjo, g[3], c);
}
