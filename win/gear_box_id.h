// The gear boxes' control identifiers: one box per tooth count, 4000..4149
// for 16..165, so that a box's identifier and its tooth count convert by an offset.
#pragma once

#include "gear_set.h"
#include "resource.h"

#include <cstdint>

constexpr int GearBoxId(std::uint32_t tooth) {
    return static_cast<int>(tooth) + IDC_GEARBOX_OFFSET;
}

constexpr std::uint32_t ToothOfGearBox(int id) {
    return static_cast<std::uint32_t>(id - IDC_GEARBOX_OFFSET);
}

static_assert(GearBoxId(kFirstTooth) == IDC_GEARBOX_FIRST && GearBoxId(kLastTooth) == IDC_GEARBOX_LAST);
static_assert(IDC_GEARBOX_LAST - IDC_GEARBOX_FIRST + 1 == kGearCount);
