#include "mount.h"

std::optional<MountRule> FitRule(const std::optional<std::uint32_t>& fitMargin,
                                 const std::optional<Banjo>& banjo) {
    if (!fitMargin) {
        return std::nullopt;
    }
    return MountRule{*fitMargin, banjo};
}

std::optional<MountRule> ArrangeRule(const std::optional<std::uint32_t>& fitMargin,
                                     const std::optional<Banjo>& banjo) {
    if (!fitMargin && banjo) {
        return MountRule{0, banjo};
    }
    return FitRule(fitMargin, banjo);
}

ToothLimits LimitsOf(const MountRule& rule) {
    return rule.banjo ? LimitsOf(*rule.banjo) : ToothLimits{};
}

bool Mounts(const MountRule& rule, const Arrangement& g) {
    return rule.banjo ? Mounts(*rule.banjo, g) : Fits(g, rule.margin);
}

bool Mounts(const MountRule& rule, const Arrangement6& g) {
    return rule.banjo ? Mounts(*rule.banjo, g) : Fits(g, rule.margin);
}

bool MountsSimple(const MountRule& rule, std::uint32_t a, std::uint32_t idler, std::uint32_t d) {
    return !rule.banjo || MountsSimple(*rule.banjo, a, idler, d);
}

std::optional<Arrangement> MountArrangement(std::uint32_t driver1, std::uint32_t driver2,
                                            std::uint32_t driven1, std::uint32_t driven2,
                                            const MountRule& rule) {
    if (!rule.banjo) {
        return FitArrangement(driver1, driver2, driven1, driven2, rule.margin);
    }
    for (const Arrangement& g : Arrangements(driver1, driver2, driven1, driven2)) {
        if (Mounts(*rule.banjo, g)) {
            return g;
        }
    }
    return std::nullopt;
}

std::optional<Arrangement6> MountArrangement(const std::array<std::uint32_t, 3>& drivers,
                                             const std::array<std::uint32_t, 3>& driven,
                                             const MountRule& rule) {
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            for (int c = 0; c < 3; ++c) {
                for (int d = 0; d < 3; ++d) {
                    if (c == a || d == b) {
                        continue;
                    }
                    const int e = 3 - a - c;
                    const int f = 3 - b - d;
                    const Arrangement6 g = {drivers[a], driven[b],  drivers[c],
                                            driven[d],  drivers[e], driven[f]};
                    if (Mounts(rule, g)) {
                        return g;
                    }
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint32_t>> Positions(const SolutionRecord& train,
                                                    const std::optional<MountRule>& rule) {
    if (train.gears == 0) {
        return std::nullopt; // the plate's gears: none to place
    }
    if (train.gears == 2) {
        if (rule && !MountsSimple(*rule, train.driver1, train.idler, train.driven1)) {
            return std::nullopt;
        }
        return std::vector<std::uint32_t>{train.driver1, train.idler, train.driven1};
    }
    if (!rule) {
        return std::nullopt;
    }
    if (train.gears == 6) {
        if (const auto g = MountArrangement({train.driver1, train.driver2, train.driver3},
                                            {train.driven1, train.driven2, train.driven3}, *rule)) {
            return std::vector<std::uint32_t>(g->begin(), g->end());
        }
        return std::nullopt;
    }
    if (const auto g = MountArrangement(train.driver1, train.driver2, train.driven1, train.driven2, *rule)) {
        return std::vector<std::uint32_t>(g->begin(), g->end());
    }
    return std::nullopt;
}

double StudDistance(const Banjo& banjo, const std::vector<std::uint32_t>& positions) {
    const std::size_t n = positions.size();
    return PitchRadius(banjo, positions[n - 2]) + PitchRadius(banjo, positions[n - 1]);
}

std::string FitDecides(const std::optional<MountRule>& rule) {
    if (!rule) {
        return "Every train is listed, whether it fits or not.";
    }
    if (rule->banjo) {
        return "The banjo's geometry decides what fits: its centre distance, stud slot and clearance. The "
               "margin is not used.";
    }
    return "The margin decides what fits: the lathe has no banjo.";
}
