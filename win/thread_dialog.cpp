// The thread dialog: a thread's pitch and unit, starts, leadscrew and unit, and
// the fixed ratio outside the change gears. OK checks every field, remembers
// the thread for the rest of the run and writes its target ratio into the
// ratio field; Cancel or Escape changes nothing. The pitch field takes a
// number in the unit the list beside it chooses, or a pitch that names its
// own unit or standard ("8 tpi", "P1.25", "M6", "1/2-13 UNC"), which then
// wins over the list.
#include "thread_dialog.h"

#include "number_text.h"
#include "open_lathe.h"
#include "program_state.h"
#include "ratio_field.h"
#include "resource.h"
#include "thread.h"
#include "tools_dialog.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace {

// A field takes as many characters as the ratio field, which keeps every value finite.
void SetField(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kRatioFieldLength, 0);
    SetDlgItemTextA(dialog, id, text.c_str());
}

// The units in their order; the leadscrew's list holds only a leadscrew's, which come first.
void FillUnits(HWND dialog, int id, bool leadscrew, PitchUnit chosen) {
    for (const PitchUnitText& unit : kPitchUnits) {
        if (leadscrew && !unit.leadscrew) {
            continue;
        }
        const std::string label(unit.label);
        const LRESULT index =
            SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        if (unit.unit == chosen) {
            SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }
}

PitchUnit ChosenUnit(HWND dialog, int id) {
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<std::size_t>(index) < kPitchUnits.size() ? kPitchUnits[index].unit
                                                                              : PitchUnit::Mm;
}

// The remembered thread's pitch (a designation as its name, with its unit in
// the list) and starts, the lathe's leadscrew and fixed ratio; before the
// first OK, an empty pitch and one start, and before a lathe is opened, an
// empty leadscrew and a fixed ratio of 1. The platform focuses the pitch field
// with its text selected.
void FillThreadFields(HWND dialog) {
    const Thread shown = g_thread.value_or(Thread{});
    const std::string pitch =
        shown.pitch.designation.empty() ? FormatShortestFixed(shown.pitch.value) : shown.pitch.designation;
    SetField(dialog, IDC_THREAD_PITCH, g_thread ? pitch : "");
    FillUnits(dialog, IDC_THREAD_PITCH_UNIT, false, shown.pitch.unit);
    SetField(dialog, IDC_THREAD_STARTS, std::to_string(shown.starts));
    SetField(dialog, IDC_THREAD_LEADSCREW, g_leadscrew ? FormatShortestFixed(g_leadscrew->value) : "");
    FillUnits(dialog, IDC_THREAD_LEADSCREW_UNIT, true, g_leadscrew.value_or(shown.leadscrew).unit);
    SetField(dialog, IDC_THREAD_FIXED, FormatShortestFixed(g_fixedRatio));
}

// The thread the fields give, or none after refusing the first invalid field:
// pitch (ReadPitchField), leadscrew and fixed ratio above zero, starts 1 to 1000.
std::optional<Thread> ReadThread(HWND dialog) {
    Thread thread;
    const auto positive = [dialog](int id, double& value) {
        return ReadPositiveNumber(DialogFieldText(dialog, id), value).empty();
    };
    const bool pitchValid = ReadPitchField(DialogFieldText(dialog, IDC_THREAD_PITCH),
                                           ChosenUnit(dialog, IDC_THREAD_PITCH_UNIT), thread.pitch)
                                .empty();
    for (auto [valid, id] :
         {std::pair{pitchValid, IDC_THREAD_PITCH},
          {ReadWholeNumber(DialogFieldText(dialog, IDC_THREAD_STARTS), 1, kMaxStarts, thread.starts).empty(),
           IDC_THREAD_STARTS},
          {positive(IDC_THREAD_LEADSCREW, thread.leadscrew.value), IDC_THREAD_LEADSCREW},
          {positive(IDC_THREAD_FIXED, thread.fixed), IDC_THREAD_FIXED}}) {
        if (!valid) {
            RejectField(dialog, id);
            return std::nullopt;
        }
    }
    thread.leadscrew.unit = ChosenUnit(dialog, IDC_THREAD_LEADSCREW_UNIT);
    return thread;
}

void OnOk(HWND dialog) {
    const std::optional<Thread> thread = ReadThread(dialog);
    if (!thread) {
        return;
    }
    SetThread(EndToolsDialog(dialog, IDOK), *thread);
}

} // namespace

// The ratio's text is stored before it is written, so the thread line shows
// once the recalculation has a solution. The caret then stands at the text's end.
void SetThread(HWND mainWindow, const Thread& thread) {
    g_thread = thread;
    g_leadscrew = thread.leadscrew;
    g_fixedRatio = thread.fixed;
    g_threadRatioText = RatioFieldText(TargetRatio(thread));
    WriteRatioField(mainWindow, g_threadRatioText);
    const auto end = static_cast<WPARAM>(g_threadRatioText.size());
    SendDlgItemMessageW(mainWindow, IDC_RATIO, EM_SETSEL, end, static_cast<LPARAM>(end));
    ShowCaption(mainWindow);
}

void OpenThreadDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_THREAD, FillThreadFields, OnOk};
    OpenToolsDialog(mainWindow, kDialog);
}
