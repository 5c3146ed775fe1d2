// The gear boxes' replacement procedure and the multiplicity dialog it opens:
// a right-button press on a checked box asks how many gears of that size are
// on hand, stores the answer at once and marks the box's label with a font.
#include "stock/multiplicity_dialog.h"

#include "app/label_font.h"
#include "app/program_state.h"
#include "app/replacement.h"
#include "app/resource.h"
#include "calc/recalculate.h"
#include "stock/gear_set.h"
#include "stock/multiplicity_mark.h"

#include <charconv>
#include <cstring>

namespace {

WNDPROC keptGearBoxProcedure = nullptr;

// The dialog's subject, filled by the gear box just before it opens the dialog.
char subjectLabel[4] = {};
RECT subjectRect = {};

// The mark fonts this file made, by stock index. The start-up fonts are shared
// by many boxes and never appear here, so they are never freed.
HFONT markFonts[kGearCount] = {};

// The tooth count of the subject's label, or 0 when the label is not one.
unsigned SubjectTooth() {
    unsigned tooth = 0;
    std::from_chars(subjectLabel, subjectLabel + strnlen(subjectLabel, sizeof subjectLabel), tooth);
    return tooth >= kFirstTooth && tooth <= kLastTooth ? tooth : 0;
}

bool SubjectIsThreeDigit() {
    return subjectLabel[2] != '\0';
}

HFONT CreateMarkFont(unsigned multiplicity, bool threeDigitLabel) {
    LOGFONTW font = LabelFontDescription();
    MarkFont mark = MarkFor(multiplicity, threeDigitLabel);
    font.lfWeight = mark.weight;
    font.lfUnderline = mark.underline ? TRUE : FALSE;
    font.lfWidth = mark.width;
    return CreateFontIndirectW(&font);
}

// The dialog is owned by the main window (the platform makes the top-level
// ancestor of the box the owner), so its parent is the main window.
HWND MainWindowOf(HWND dialog) {
    return GetParent(dialog);
}

void OpenBesideBox(HWND dialog, unsigned tooth) {
    std::string caption = MultiplicityCaption(subjectLabel);
    SendMessageA(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    DialogPlacement place =
        PlaceMultiplicityDialog(tooth, subjectRect.left, subjectRect.top, subjectRect.right);
    MoveWindow(dialog, place.x, place.y, place.width, place.height, TRUE);
    unsigned multiplicity = multiplicityTable[tooth] != 0 ? multiplicityTable[tooth] : 1;
    SendDlgItemMessageW(dialog, IDC_MULTIPLICITY_BASE + static_cast<int>(multiplicity), BM_SETCHECK,
                        BST_CHECKED, 0);
}

// Stores the multiplicity first, so it holds whatever becomes of the font; the
// box's previous mark font is freed once the box uses the new one.
void ChooseMultiplicity(HWND dialog, unsigned tooth, unsigned multiplicity) {
    multiplicityTable[tooth] = static_cast<std::uint16_t>(multiplicity);
    HFONT font = CreateMarkFont(multiplicity, SubjectIsThreeDigit());
    SendDlgItemMessageW(MainWindowOf(dialog), GearBoxId(tooth), WM_SETFONT, reinterpret_cast<WPARAM>(font),
                        TRUE);
    HFONT& boxMark = markFonts[IndexOfTooth(tooth)];
    if (boxMark != nullptr) {
        DeleteObject(boxMark);
    }
    boxMark = font;
}

void Close(HWND dialog) {
    HWND mainWindow = MainWindowOf(dialog);
    EndDialog(dialog, 1);
    SetFocus(GetDlgItem(mainWindow, IDC_RATIO));
    Recalculate(mainWindow);
}

} // namespace

LRESULT CALLBACK GearBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC kept = KeptProcedure(box, keptGearBoxProcedure);
    if (message == WM_RBUTTONDOWN && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        std::memset(subjectLabel, 0, sizeof subjectLabel);
        GetWindowTextA(box, subjectLabel, sizeof subjectLabel);
        GetWindowRect(box, &subjectRect);
        // The subject indexes tables by tooth count: only a tooth-count label opens the dialog.
        if (SubjectTooth() != 0) {
            DialogBoxParamW(instanceHandle, MAKEINTRESOURCEW(IDD_MULTIPLICITY), box, MultiplicityDialogProc,
                            0);
        }
    }
    return CallWindowProcW(kept, box, message, wParam, lParam);
}

// Only OK closes the dialog: Esc and every other command leave it open.
INT_PTR CALLBACK MultiplicityDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    unsigned tooth = SubjectTooth();
    switch (message) {
    case WM_INITDIALOG:
        OpenBesideBox(dialog, tooth);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MULTIPLICITY_1:
        case IDC_MULTIPLICITY_2:
        case IDC_MULTIPLICITY_3:
            ChooseMultiplicity(dialog, tooth, LOWORD(wParam) - IDC_MULTIPLICITY_BASE);
            return FALSE;
        case IDOK:
            Close(dialog);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
