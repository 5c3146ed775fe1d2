// How trains are checked on the banjo: by the margin rule (fit.h), or by the
// banjo's geometry (banjo.h) when the lathe has one; and the arrangement in
// which a checked train goes on.
#pragma once

#include "banjo.h"
#include "fit.h"
#include "train.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MountRule {
    std::uint32_t margin = 0;   // the margin rule's teeth to spare, used without a banjo
    std::optional<Banjo> banjo; // the geometry, which replaces the margin rule

    bool operator==(const MountRule&) const = default;
};

// The rule that keeps only the trains that mount: with the fit on, the
// banjo's geometry, or the margin rule without one; none with the fit off.
std::optional<MountRule> FitRule(const std::optional<std::uint32_t>& fitMargin,
                                 const std::optional<Banjo>& banjo);

// The rule by which trains are arranged for showing: the fit's, or else the
// banjo's geometry, which then arranges the trains that mount and keeps the others.
std::optional<MountRule> ArrangeRule(const std::optional<std::uint32_t>& fitMargin,
                                     const std::optional<Banjo>& banjo);

// The banjo's tooth limits (banjo.h); the margin rule holds every train to none.
ToothLimits LimitsOf(const MountRule& rule);

bool Mounts(const MountRule& rule, const Arrangement& g);
bool Mounts(const MountRule& rule, const Arrangement6& g);
// The margin rule holds every simple train: no gear of one passes a shaft
// whose place the margin knows. The geometry decides as MountsSimple (banjo.h).
bool MountsSimple(const MountRule& rule, std::uint32_t a, std::uint32_t idler, std::uint32_t d);

// The first arrangement that mounts, in the order of Arrangements (fit.h).
std::optional<Arrangement> MountArrangement(std::uint32_t driver1, std::uint32_t driver2,
                                            std::uint32_t driven1, std::uint32_t driven2,
                                            const MountRule& rule);

// The same for six gears: A, B, C and D each run through the drivers or the
// driven gears not yet placed, in the given order; E and F are the last ones.
std::optional<Arrangement6> MountArrangement(const std::array<std::uint32_t, 3>& drivers,
                                             const std::array<std::uint32_t, 3>& driven,
                                             const MountRule& rule);

// The train's gears in the order they go on: A, the idler, D for a simple
// train; A B C D; A B C D E F. A simple train has one arrangement, shown
// unless the rule finds that it does not mount; the others have the rule's
// first arrangement that mounts; none without a rule.
std::optional<std::vector<std::uint32_t>> Positions(const SolutionRecord& train,
                                                    const std::optional<MountRule>& rule);

// The distance from the leadscrew's centre to the stud that carries the last
// gear's partner (a simple train's idler; stud 2 of six gears), for gears in
// position order.
double StudDistance(const Banjo& banjo, const std::vector<std::uint32_t>& positions);

// What decides which trains are listed, in a machinist's words: the banjo's
// geometry where the rule has a banjo, the margin where it has none, and
// nothing without a rule (FitRule: the fit off).
std::string FitDecides(const std::optional<MountRule>& rule);
