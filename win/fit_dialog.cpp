// The fit dialog: whether the searches keep only the trains that fit on the
// banjo, and with how many teeth to spare. OK stores both and recalculates;
// Cancel or Escape changes nothing.
#include "fit_dialog.h"

#include "fit.h"
#include "number_text.h"
#include "open_lathe.h"
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "tools_dialog.h"

#include <string>

namespace {

// The stored settings; the platform focuses the check box.
void FillFitFields(HWND dialog) {
    CheckDlgButton(dialog, IDC_FIT_ONLY, g_lathe.settings.fitMargin ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_FIT_MARGIN, EM_LIMITTEXT, 3, 0);
    SetDlgItemTextA(dialog, IDC_FIT_MARGIN, std::to_string(g_lathe.margin).c_str());
}

// The margin must be a whole number of teeth from 0 to 200, whether or not the
// box is checked, so that the stored margin is always one.
void OnOk(HWND dialog) {
    std::uint32_t margin = 0;
    const std::string text = DialogFieldText(dialog, IDC_FIT_MARGIN);
    if (std::string problem = ReadWholeNumber(text, 0, kMaxFitMargin, margin); !problem.empty()) {
        RejectField(dialog, IDC_FIT_MARGIN, IDC_FIT_PROBLEM, Refusal("Margin in teeth", text, problem));
        return;
    }
    g_lathe.margin = margin;
    g_lathe.settings.fitMargin =
        IsDlgButtonChecked(dialog, IDC_FIT_ONLY) == BST_CHECKED ? std::optional(margin) : std::nullopt;
    HWND mainWindow = EndToolsDialog(dialog, IDOK);
    Recalculate(mainWindow);
    LatheChanged(mainWindow);
}

} // namespace

void OpenFitDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_FIT, FillFitFields, OnOk};
    OpenToolsDialog(mainWindow, kDialog);
}
