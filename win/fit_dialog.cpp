// The fit dialog: whether the searches keep only the trains that fit on the
// banjo, and with how many teeth to spare, and a line that says what decides
// which trains fit as the check box stands: the banjo's geometry or the
// margin. OK stores both and recalculates; Cancel or Escape changes nothing.
#include "fit_dialog.h"

#include "fit.h"
#include "mount.h"
#include "number_text.h"
#include "open_lathe.h"
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "tools_dialog.h"

#include <string>

namespace {

bool FitChecked(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_FIT_ONLY) == BST_CHECKED;
}

// The core's sentence for the fit as checked, on the lathe's banjo or without one.
void ShowWhatDecides(HWND dialog) {
    const std::string decides = FitDecides(
        FitRule(FitChecked(dialog) ? std::optional(g_lathe.margin) : std::nullopt, g_lathe.settings.banjo));
    SetDlgItemTextA(dialog, IDC_FIT_DECIDES, decides.c_str());
}

// The stored settings; the platform focuses the check box.
void FillFitFields(HWND dialog) {
    CheckDlgButton(dialog, IDC_FIT_ONLY, g_lathe.settings.fitMargin ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_FIT_MARGIN, EM_LIMITTEXT, 3, 0);
    SetDlgItemTextA(dialog, IDC_FIT_MARGIN, std::to_string(g_lathe.margin).c_str());
    ShowWhatDecides(dialog);
}

void OnNotification(HWND dialog, int id, int code) {
    if (id == IDC_FIT_ONLY && code == BN_CLICKED) {
        ShowWhatDecides(dialog);
    }
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
    g_lathe.settings.fitMargin = FitChecked(dialog) ? std::optional(margin) : std::nullopt;
    HWND mainWindow = EndToolsDialog(dialog, IDOK);
    Recalculate(mainWindow);
    LatheChanged(mainWindow);
}

} // namespace

void OpenFitDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_FIT, FillFitFields, OnOk, OnNotification};
    OpenToolsDialog(mainWindow, kDialog);
}
