// The gears dialog: the gears on hand as a gear list, "20-80/5, 35x2, 127",
// typed in one go instead of clicked box by box. An empty list unticks every
// box; a list that does not read keeps the dialog open and says why.
#include "gears_dialog.h"

#include "gear_boxes.h"
#include "gear_list.h"
#include "open_lathe.h"
#include "recalculate.h"
#include "resource.h"
#include "tools_dialog.h"
#include "wide_text.h"

namespace {

void FillGearsField(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_GEARS_LIST, WideFromUtf8(GearListText(BoxStock())).c_str());
}

void OnOk(HWND dialog) {
    Stock stock;
    if (const std::string problem = ReadGearList(DialogFieldText(dialog, IDC_GEARS_LIST), stock);
        !problem.empty()) {
        RejectField(dialog, IDC_GEARS_LIST, IDC_GEARS_PROBLEM, problem);
        return;
    }
    HWND mainWindow = EndToolsDialog(dialog, IDOK);
    ShowStock(mainWindow, stock);
    Recalculate(mainWindow);
    LatheChanged(mainWindow);
}

} // namespace

void OpenGearsDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_GEARS, FillGearsField, OnOk};
    OpenToolsDialog(mainWindow, kDialog);
}
