// The modes the window searches and shows with: Every train, the kind of
// train (Tools, Train), the fit, and the open lathe's banjo. Read where they
// live, so that every part of the window follows the same settings.
#pragma once

#include "banjo.h"
#include "placement.h"
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

// The train the up-down stands at, placed for a drawing (PlaceShownTrain of
// train_drawing.h),
// and whether it does not mount on the open lathe's banjo, so that it is
// drawn without it. None while no train is listed.
struct ShownPlacement {
    Placement placement;
    bool doesNotMount = false;
};
std::optional<ShownPlacement> ShownTrainPlacement(HWND mainWindow);
