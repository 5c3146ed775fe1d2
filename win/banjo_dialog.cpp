// The banjo dialog: the banjo's figures as fields beside a sketch of what
// each one measures. The core reads them (ReadBanjoForm) with the lathe
// file's limits; a field it refuses keeps the dialog open, selected, with the
// core's sentence below the fields.
#include "banjo_dialog.h"

#include "banjo_form.h"
#include "banjo_sketch.h"
#include "open_lathe.h"
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "tools_dialog.h"
#include "wide_text.h"

#include <cstddef>

namespace {

// The refusals name each field by its label.
constexpr BanjoFieldNames kNames{{"Module", "Centre distance", "Stud min", "Stud max", "Clearance",
                                  "Largest on spindle", "Largest on leadscrew"},
                                 "DP"};

// The pitch list's items, by index: the module in mm, or the diametral pitch.
constexpr const wchar_t* kPitchUnits[] = {L"module (mm)", L"DP"};
constexpr LRESULT kDpIndex = 1;

int FieldId(std::size_t field) {
    return IDC_BANJO_PITCH + static_cast<int>(field);
}

bool NoBanjo(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_BANJO_NONE) == BST_CHECKED;
}

// With "No banjo" checked the figures are greyed: they are not read.
void FollowNoBanjo(HWND dialog) {
    const BOOL enabled = NoBanjo(dialog) ? FALSE : TRUE;
    for (std::size_t field = 0; field < kBanjoFields; ++field) {
        EnableWindow(GetDlgItem(dialog, FieldId(field)), enabled);
    }
    EnableWindow(GetDlgItem(dialog, IDC_BANJO_PITCH_UNIT), enabled);
}

// The lathe's banjo, or empty figures and the default clearance under a
// checked "No banjo".
void FillBanjoFields(HWND dialog) {
    const BanjoForm form = FormOf(g_lathe.settings.banjo, g_lathe.settings.dp);
    for (std::size_t field = 0; field < kBanjoFields; ++field) {
        SendDlgItemMessageW(dialog, FieldId(field), EM_LIMITTEXT, 32, 0);
        SetDlgItemTextW(dialog, FieldId(field), WideFromUtf8(form.texts[field]).c_str());
    }
    for (const wchar_t* unit : kPitchUnits) {
        SendDlgItemMessageW(dialog, IDC_BANJO_PITCH_UNIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit));
    }
    SendDlgItemMessageW(dialog, IDC_BANJO_PITCH_UNIT, CB_SETCURSEL, form.dp ? kDpIndex : 0, 0);
    CheckDlgButton(dialog, IDC_BANJO_NONE, g_lathe.settings.banjo ? BST_UNCHECKED : BST_CHECKED);
    FollowNoBanjo(dialog);
}

void OnOk(HWND dialog) {
    std::optional<Banjo> banjo;
    std::optional<double> dp;
    if (!NoBanjo(dialog)) {
        BanjoForm form{.dp =
                           SendDlgItemMessageW(dialog, IDC_BANJO_PITCH_UNIT, CB_GETCURSEL, 0, 0) == kDpIndex};
        for (std::size_t field = 0; field < kBanjoFields; ++field) {
            form.texts[field] = DialogFieldText(dialog, FieldId(field));
        }
        Banjo read;
        if (const std::optional<BanjoFormProblem> problem = ReadBanjoForm(form, kNames, read, dp)) {
            RejectField(dialog, FieldId(static_cast<std::size_t>(problem->field)), IDC_BANJO_PROBLEM,
                        problem->what);
            return;
        }
        banjo = read;
    }
    g_lathe.settings.banjo = banjo;
    g_lathe.settings.dp = dp;
    HWND mainWindow = EndToolsDialog(dialog, IDOK);
    Recalculate(mainWindow);
    LatheChanged(mainWindow);
}

// Unchecking "No banjo" leads to the first figure.
void OnNotification(HWND dialog, int id, int code) {
    if (id == IDC_BANJO_NONE && code == BN_CLICKED) {
        FollowNoBanjo(dialog);
        if (!NoBanjo(dialog)) {
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_BANJO_PITCH)),
                         TRUE);
        }
    }
}

void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_BANJO_SKETCH) {
        PaintBanjoSketch(item.hDC, item.rcItem,
                         reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    }
}

} // namespace

void OpenBanjoDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_BANJO, FillBanjoFields, OnOk, OnNotification, OnDrawItem};
    OpenToolsDialog(mainWindow, kDialog);
}
