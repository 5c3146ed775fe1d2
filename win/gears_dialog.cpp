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

// The field's whole text, read as UTF-16 so that a typed "×" reaches the core as itself.
std::string ListText(HWND dialog) {
    HWND field = GetDlgItem(dialog, IDC_GEARS_LIST);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

void FillGearsField(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_GEARS_LIST, WideFromUtf8(GearListText(BoxStock())).c_str());
}

void OnOk(HWND dialog) {
    Stock stock;
    if (const std::string problem = ReadGearList(ListText(dialog), stock); !problem.empty()) {
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
