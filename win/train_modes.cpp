#include "train_modes.h"

#include "program_state.h"
#include "resource.h"
#include "train_drawing.h"

#include <commctrl.h>

#include <algorithm>

namespace {

bool MenuItemChecked(HWND mainWindow, int id) {
    const UINT state = GetMenuState(GetMenu(mainWindow), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

bool BoxChecked(HWND mainWindow, int id) {
    return SendDlgItemMessageW(mainWindow, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

bool EveryTrainChecked(HWND mainWindow) {
    return MenuItemChecked(mainWindow, IDM_EVERY_TRAIN);
}

TrainKind TrainKindChecked(HWND mainWindow) {
    return MenuItemChecked(mainWindow, IDM_TRAIN_SIMPLE) ? TrainKind::Simple
           : MenuItemChecked(mainWindow, IDM_TRAIN_SIX)  ? TrainKind::Six
           : MenuItemChecked(mainWindow, IDM_TRAIN_ANY)  ? TrainKind::Any
                                                         : TrainKind::Compound;
}

std::optional<Banjo> WindowBanjo() {
    return g_lathe.settings.banjo;
}

ShowSettings WindowShowSettings(HWND mainWindow) {
    return {TrainKindChecked(mainWindow), g_lathe.settings.fitMargin, WindowBanjo(),
            BoxChecked(mainWindow, IDC_FIRST_DRIVER_SMALLER),
            BoxChecked(mainWindow, IDC_FIRST_DRIVEN_LARGER)};
}

std::size_t ShownIndex(HWND mainWindow) {
    if (g_solutionList.empty()) {
        return 0;
    }
    // The position is the low word; the high word only flags an unreadable buddy text.
    const int position =
        static_cast<short>(LOWORD(SendDlgItemMessageW(mainWindow, IDC_SOLUTION_UPDOWN, UDM_GETPOS, 0, 0)));
    return std::min(static_cast<std::size_t>(std::max(position - 1, 0)), g_solutionList.size() - 1);
}

std::uint32_t ShownGears(HWND mainWindow) {
    return ShownGearCount(TrainKindChecked(mainWindow),
                          g_solutionList.empty() ? nullptr : &g_solutionList[ShownIndex(mainWindow)]);
}

std::optional<ShownPlacement> ShownTrainPlacement(HWND mainWindow) {
    if (g_solutionList.empty()) {
        return std::nullopt;
    }
    const ShowSettings settings = WindowShowSettings(mainWindow);
    const ShownTrain shown = ShowTrain(g_solutionList[ShownIndex(mainWindow)], settings);
    std::optional<Placement> placement = PlaceShownTrain(shown, settings.banjo);
    if (!placement) {
        return std::nullopt;
    }
    return ShownPlacement{std::move(*placement), settings.banjo && !shown.onBanjo};
}
