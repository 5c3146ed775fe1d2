#include "train_modes.h"

#include "program_state.h"
#include "resource.h"

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
                                                         : TrainKind::Compound;
}

std::optional<Banjo> WindowBanjo() {
    return g_fileLathe.banjo;
}

ShowSettings WindowShowSettings(HWND mainWindow) {
    return {TrainKindChecked(mainWindow), FitMarginInForce(), WindowBanjo(),
            BoxChecked(mainWindow, IDC_FIRST_DRIVER_SMALLER),
            BoxChecked(mainWindow, IDC_FIRST_DRIVEN_LARGER)};
}
