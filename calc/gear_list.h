// Gear lists: the gears on hand as a machinist writes them, "20-80/5, 127,
// 40x2". The one reader and the one writer behind the tool's --teeth, the
// window's Gears dialog and the lathe files.
#pragma once

#include "stock.h"

#include <string>
#include <string_view>

// Reads a gear list into stock, which it replaces. Items are separated by
// commas and/or spaces; an item is a tooth count (40), a range (20-80) or a
// range with a step (20-80/5, every fifth count from 20 up to 80), optionally
// followed by xK for K gears of each of its sizes (35x2; 'x' or U+00D7, in any
// case; K is 1 to 3). Tooth counts are 16 to 165. A size named on its own
// sets its count over a range that holds it, in any order: "20-80/5, 40x2" is
// two of 40. No size lies in two ranges, and none is named on its own twice.
// An empty list is no gears. Returns what is wrong, the item quoted first
// ("'17x4': at most 3 of a size"), or an empty string when stock holds the
// list's gears.
std::string ReadGearList(std::string_view list, Stock& stock);

// The stock as the shortest gear list of runs in ascending order: each run a
// size on its own, or a range followed by its sizes of another count
// ("20-80/5, 35x2, 127"); items separated by ", ". ReadGearList gives the
// same stock back. An empty stock is the empty list.
std::string GearListText(const Stock& stock);
