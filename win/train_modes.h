// The modes the window searches and shows with: Every train, the kind of
// train (Tools, Train), the fit, and the open lathe's banjo. Read where they
// live, so that every part of the window follows the same settings.
#pragma once

#include "banjo.h"
#include "search.h"
#include "shown_train.h"

#include <windows.h>

#include <optional>

// Whether Tools, Every train is checked: Recalculate then runs the every-train search.
bool EveryTrainChecked(HWND mainWindow);

// The kind of train Tools, Train has checked: simple, compound (at the start), six gears or any.
TrainKind TrainKindChecked(HWND mainWindow);

// The banjo whose geometry the window uses: the open lathe's, none without one.
std::optional<Banjo> WindowBanjo();

// The settings that decide how the window shows a train: the kind, the fit
// margin in force, the banjo and the option boxes.
ShowSettings WindowShowSettings(HWND mainWindow);

// The place in the solution list of the train the up-down stands at (0 for an empty list).
std::size_t ShownIndex(HWND mainWindow);

// The count of gears of that train, which decides how it shows (ShownGearCount).
std::uint32_t ShownGears(HWND mainWindow);
