// The gear boxes' replacement procedure and the multiplicity dialog it opens:
// a right-button press on a checked box asks how many gears of that size are
// on hand, stores the answer at once and marks the box's label with a font;
// OK recalculates with it, Escape puts back the multiplicity as it was.
#include "multiplicity_dialog.h"

#include "gear_boxes.h"
#include "gear_set.h"
#include "multiplicity_mark.h"
#include "open_lathe.h"
#include "program_state.h"
#include "ratio_field.h"
#include "recalculate.h"
#include "replacement.h"
#include "resource.h"

#include <charconv>
#include <cstring>

namespace {

// The tooth count of the subject's label, or 0 when the label is not one.
unsigned SubjectTooth() {
    unsigned tooth = 0;
    std::from_chars(g_subjectLabel, g_subjectLabel + strnlen(g_subjectLabel, sizeof g_subjectLabel), tooth);
    return tooth >= kFirstTooth && tooth <= kLastTooth ? tooth : 0;
}

// The dialog is owned by the main window (the platform makes the top-level
// ancestor of the box the owner), so its parent is the main window.
HWND MainWindowOf(HWND dialog) {
    return GetParent(dialog);
}

// The caption names the gear; the dialog stands beside its box with the
// current multiplicity chosen, which it keeps in its user slot for Escape.
INT_PTR OnInitDialog(HWND dialog) {
    const unsigned tooth = SubjectTooth();
    SetWindowLongPtrW(dialog, DWLP_USER, g_multiplicityTable[tooth]);
    std::string caption = MultiplicityCaption(g_subjectLabel);
    SendMessageA(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    DialogPlacement place =
        PlaceMultiplicityDialog(tooth, g_subjectRect.left, g_subjectRect.top, g_subjectRect.right);
    MoveWindow(dialog, place.x, place.y, place.width, place.height, TRUE);
    unsigned multiplicity = g_multiplicityTable[tooth] != 0 ? g_multiplicityTable[tooth] : 1;
    SendDlgItemMessageW(dialog, IDC_MULTIPLICITY_BASE + static_cast<int>(multiplicity), BM_SETCHECK,
                        BST_CHECKED, 0);
    return TRUE;
}

// Escape: the multiplicity and its mark as the dialog found them, and no
// recalculation, since the trains listed were found with them.
void OnEscape(HWND dialog) {
    HWND mainWindow = MainWindowOf(dialog);
    const auto opened = static_cast<unsigned>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (g_multiplicityTable[SubjectTooth()] != opened) {
        SetMultiplicity(mainWindow, SubjectTooth(), opened);
    }
    EndDialog(dialog, IDCANCEL);
    FocusRatioField(mainWindow);
}

// OK and Escape close the dialog; every other command leaves it open.
INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    switch (id) {
    case IDC_MULTIPLICITY_1:
    case IDC_MULTIPLICITY_2:
    case IDC_MULTIPLICITY_3:
        SetMultiplicity(MainWindowOf(dialog), SubjectTooth(),
                        static_cast<unsigned>(id - IDC_MULTIPLICITY_BASE));
        return FALSE;
    case IDOK: {
        HWND mainWindow = MainWindowOf(dialog);
        EndDialog(dialog, 1);
        FocusRatioField(mainWindow);
        Recalculate(mainWindow);
        LatheChanged(mainWindow);
        return TRUE;
    }
    case IDCANCEL:
        OnEscape(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK MultiplicityDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

// A right-button press on a checked box: the box becomes the dialog's subject.
// The subject indexes tables by tooth count, so only a tooth-count label opens it.
void OnRightButtonDown(HWND box) {
    if (SendMessageW(box, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        return;
    }
    std::memset(g_subjectLabel, 0, sizeof g_subjectLabel);
    GetWindowTextA(box, g_subjectLabel, sizeof g_subjectLabel);
    GetWindowRect(box, &g_subjectRect);
    if (SubjectTooth() != 0) {
        DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_MULTIPLICITY), box, MultiplicityDialogProc, 0);
    }
}

} // namespace

// The press goes on to the button once the dialog has closed.
LRESULT CALLBACK GearBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC kept = KeptProcedure(box, g_keptGearBoxProcedure);
    if (message == WM_RBUTTONDOWN) {
        OnRightButtonDown(box);
    }
    return CallWindowProcW(kept, box, message, wParam, lParam);
}
