// The thread dialog: a thread's pitch and unit, starts, leadscrew and unit, and
// the fixed ratio outside the change gears. OK checks every field, remembers
// the thread for the rest of the run and writes its target ratio into the
// ratio field; Cancel or Escape changes nothing. The pitch and leadscrew
// fields take a plain number in the unit the user picked in the list beside
// each, or a pitch that names its own unit or standard ("8 tpi", "P1.25",
// "M6", "1/2-13 UNC"): while a field holds such a text its list shows that
// unit, greyed, since a unit picked there would change nothing; once the
// field holds a plain number again the list shows the unit picked by hand.
#include "thread_dialog.h"

#include "number_text.h"
#include "open_lathe.h"
#include "program_state.h"
#include "ratio_field.h"
#include "resource.h"
#include "thread.h"
#include "tools_dialog.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

namespace {

// A field that takes a pitch, and the list of units beside it.
struct UnitField {
    int field;
    int list;
    bool leadscrew; // the list holds only a leadscrew's units
};
constexpr UnitField kPitchField = {IDC_THREAD_PITCH, IDC_THREAD_PITCH_UNIT, false};
constexpr UnitField kLeadscrewField = {IDC_THREAD_LEADSCREW, IDC_THREAD_LEADSCREW_UNIT, true};

// A field takes as many characters as the ratio field, which keeps every value finite.
void SetField(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kRatioFieldLength, 0);
    SetDlgItemTextA(dialog, id, text.c_str());
}

// A list holds the units in the table's order; the leadscrew's list holds the
// table's head, a leadscrew's units.
WPARAM IndexOfUnit(PitchUnit unit) {
    return static_cast<WPARAM>(std::distance(
        kPitchUnits.begin(), std::find_if(kPitchUnits.begin(), kPitchUnits.end(),
                                          [unit](const PitchUnitText& text) { return text.unit == unit; })));
}

// The unit picked by hand while the dialog is open is the list's user data,
// so that the list can show a unit the field names meanwhile.
PitchUnit PickedUnit(HWND dialog, const UnitField& field) {
    return static_cast<PitchUnit>(GetWindowLongPtrW(GetDlgItem(dialog, field.list), GWLP_USERDATA));
}

void SetPickedUnit(HWND dialog, const UnitField& field, PitchUnit unit) {
    SetWindowLongPtrW(GetDlgItem(dialog, field.list), GWLP_USERDATA, static_cast<LONG_PTR>(unit));
}

// The list shows the unit the field's text names, greyed, or else the unit picked by hand.
void FollowField(HWND dialog, const UnitField& field) {
    const std::optional<PitchUnit> named = NamedUnit(DialogFieldText(dialog, field.field), field.leadscrew);
    SendDlgItemMessageA(dialog, field.list, CB_SETCURSEL,
                        IndexOfUnit(named.value_or(PickedUnit(dialog, field))), 0);
    EnableWindow(GetDlgItem(dialog, field.list), !named);
}

// A unit chosen in the list (which is enabled only while the field names none).
void OnUnitPicked(HWND dialog, const UnitField& field) {
    const LRESULT index = SendDlgItemMessageA(dialog, field.list, CB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < kPitchUnits.size()) {
        SetPickedUnit(dialog, field, kPitchUnits[static_cast<std::size_t>(index)].unit);
    }
}

void FillUnitField(HWND dialog, const UnitField& field, PitchUnit picked, const std::string& text) {
    for (const PitchUnitText& unit : kPitchUnits) {
        if (unit.leadscrew || !field.leadscrew) {
            const std::string label(unit.label);
            SendDlgItemMessageA(dialog, field.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        }
    }
    SetPickedUnit(dialog, field, picked);
    SetField(dialog, field.field, text);
    FollowField(dialog, field);
}

// The remembered thread's pitch and starts, the lathe's leadscrew and fixed
// ratio, each pitch as a plain number in the unit picked or with its own unit
// or designation; before the first OK, an empty pitch and one start, and
// before a lathe is opened, an empty leadscrew and a fixed ratio of 1. The
// platform focuses the pitch field with its text selected.
void FillThreadFields(HWND dialog) {
    FillUnitField(dialog, kPitchField, g_threadLine.pitchUnit,
                  g_threadLine.thread ? PitchFieldText(g_threadLine.thread->pitch, g_threadLine.pitchUnit)
                                      : "");
    SetField(dialog, IDC_THREAD_STARTS,
             std::to_string(g_threadLine.thread ? g_threadLine.thread->starts : 1));
    FillUnitField(dialog, kLeadscrewField, g_threadLine.leadscrewUnit,
                  g_lathe.settings.leadscrew
                      ? PitchFieldText(*g_lathe.settings.leadscrew, g_threadLine.leadscrewUnit)
                      : "");
    SetField(dialog, IDC_THREAD_FIXED, FormatShortestFixed(g_lathe.settings.fixed));
}

// A field's text refused when the core says what is wrong with it, in the
// words the tool uses, the field named by its label.
bool Refused(HWND dialog, int id, const char* name, const std::string& text, const std::string& problem) {
    if (problem.empty()) {
        return false;
    }
    RejectField(dialog, id, IDC_THREAD_PROBLEM, Refusal(name, text, problem));
    return true;
}

// The thread the fields give, or none after refusing the first field that
// does not read: pitch and leadscrew (ReadPitchField), starts 1 to 1000, the
// fixed ratio above zero.
std::optional<Thread> ReadThread(HWND dialog) {
    Thread thread;
    const std::string pitch = DialogFieldText(dialog, IDC_THREAD_PITCH);
    const std::string starts = DialogFieldText(dialog, IDC_THREAD_STARTS);
    const std::string leadscrew = DialogFieldText(dialog, IDC_THREAD_LEADSCREW);
    const std::string fixed = DialogFieldText(dialog, IDC_THREAD_FIXED);
    if (Refused(dialog, IDC_THREAD_PITCH, "Pitch", pitch,
                ReadPitchField(pitch, false, PickedUnit(dialog, kPitchField), thread.pitch)) ||
        Refused(dialog, IDC_THREAD_STARTS, "Starts", starts,
                ReadWholeNumber(starts, 1, kMaxStarts, thread.starts)) ||
        Refused(dialog, IDC_THREAD_LEADSCREW, "Leadscrew", leadscrew,
                ReadPitchField(leadscrew, true, PickedUnit(dialog, kLeadscrewField), thread.leadscrew)) ||
        Refused(dialog, IDC_THREAD_FIXED, "Fixed ratio", fixed, ReadPositiveNumber(fixed, thread.fixed))) {
        return std::nullopt;
    }
    return thread;
}

// The units picked by hand are kept with the thread, for the next time the dialog opens.
void OnOk(HWND dialog) {
    const std::optional<Thread> thread = ReadThread(dialog);
    if (!thread) {
        return;
    }
    g_threadLine.pitchUnit = PickedUnit(dialog, kPitchField);
    g_threadLine.leadscrewUnit = PickedUnit(dialog, kLeadscrewField);
    SetThread(EndToolsDialog(dialog, IDOK), *thread);
}

void OnNotification(HWND dialog, int id, int code) {
    for (const UnitField& field : {kPitchField, kLeadscrewField}) {
        if (id == field.field && code == EN_CHANGE) {
            FollowField(dialog, field);
        } else if (id == field.list && code == CBN_SELCHANGE) {
            OnUnitPicked(dialog, field);
        }
    }
}

} // namespace

// The ratio's text is stored before it is written, so the thread line shows
// once the recalculation has a solution. The caret then stands at the text's end.
void SetThread(HWND mainWindow, const Thread& thread) {
    g_threadLine.thread = thread;
    g_lathe.settings.leadscrew = thread.leadscrew;
    g_lathe.settings.fixed = thread.fixed;
    g_threadLine.ratioText = RatioFieldText(TargetRatio(thread));
    WriteRatioField(mainWindow, g_threadLine.ratioText);
    const auto end = static_cast<WPARAM>(g_threadLine.ratioText.size());
    SendDlgItemMessageW(mainWindow, IDC_RATIO, EM_SETSEL, end, static_cast<LPARAM>(end));
    LatheChanged(mainWindow);
}

void OpenThreadDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_THREAD, FillThreadFields, OnOk, OnNotification};
    OpenToolsDialog(mainWindow, kDialog);
}
