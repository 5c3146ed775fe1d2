// The thread dialog: a thread's pitch and unit, starts, leadscrew and unit, and
// the fixed ratio outside the change gears. OK checks every field, remembers
// the thread for the rest of the run and writes its target ratio into the
// ratio field; Cancel or Escape changes nothing.
#include "thread_dialog.h"

#include "number_text.h"
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

struct UnitEntry {
    const char* text;
    PitchUnit unit;
};

// The pitch unit list in its order; the leadscrew's list holds the first two.
constexpr std::array<UnitEntry, 4> kUnits = {
    {{"mm", PitchUnit::Mm}, {"TPI", PitchUnit::Tpi}, {"module", PitchUnit::Module}, {"DP", PitchUnit::Dp}}};
constexpr std::size_t kLeadscrewUnits = 2;

// A field takes as many characters as the ratio field, which keeps every value finite.
void SetField(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kRatioFieldLength, 0);
    SetDlgItemTextA(dialog, id, text.c_str());
}

void FillUnits(HWND dialog, int id, std::size_t count, PitchUnit chosen) {
    for (std::size_t i = 0; i < count; ++i) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kUnits[i].text));
        if (kUnits[i].unit == chosen) {
            SendDlgItemMessageA(dialog, id, CB_SETCURSEL, i, 0);
        }
    }
}

PitchUnit ChosenUnit(HWND dialog, int id) {
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<std::size_t>(index) < kUnits.size() ? kUnits[index].unit : PitchUnit::Mm;
}

// The remembered thread; before the first OK, empty pitch and leadscrew, one
// start and a fixed ratio of 1. The platform focuses the pitch field with its
// text selected.
void FillThreadFields(HWND dialog) {
    const Thread shown = g_thread.value_or(Thread{});
    SetField(dialog, IDC_THREAD_PITCH, g_thread ? FormatShortestFixed(shown.pitch.value) : "");
    FillUnits(dialog, IDC_THREAD_PITCH_UNIT, kUnits.size(), shown.pitch.unit);
    SetField(dialog, IDC_THREAD_STARTS, std::to_string(shown.starts));
    SetField(dialog, IDC_THREAD_LEADSCREW, g_thread ? FormatShortestFixed(shown.leadscrew.value) : "");
    FillUnits(dialog, IDC_THREAD_LEADSCREW_UNIT, kLeadscrewUnits, shown.leadscrew.unit);
    SetField(dialog, IDC_THREAD_FIXED, FormatShortestFixed(shown.fixed));
}

// The thread the fields give, or none after refusing the first invalid field:
// pitch, leadscrew and fixed ratio above zero, starts 1 to 1000.
std::optional<Thread> ReadThread(HWND dialog) {
    const std::optional<double> pitch = ReadPositiveNumber(DialogFieldText(dialog, IDC_THREAD_PITCH));
    const std::optional<std::uint32_t> starts =
        ReadWholeNumber(DialogFieldText(dialog, IDC_THREAD_STARTS), 1, kMaxStarts);
    const std::optional<double> leadscrew = ReadPositiveNumber(DialogFieldText(dialog, IDC_THREAD_LEADSCREW));
    const std::optional<double> fixed = ReadPositiveNumber(DialogFieldText(dialog, IDC_THREAD_FIXED));
    for (auto [valid, id] : {std::pair{pitch.has_value(), IDC_THREAD_PITCH},
                             {starts.has_value(), IDC_THREAD_STARTS},
                             {leadscrew.has_value(), IDC_THREAD_LEADSCREW},
                             {fixed.has_value(), IDC_THREAD_FIXED}}) {
        if (!valid) {
            RejectField(dialog, id);
            return std::nullopt;
        }
    }
    return Thread{{*pitch, ChosenUnit(dialog, IDC_THREAD_PITCH_UNIT)},
                  *starts,
                  {*leadscrew, ChosenUnit(dialog, IDC_THREAD_LEADSCREW_UNIT)},
                  *fixed};
}

// The ratio's text is stored before it is written, so the thread line shows
// once the recalculation has a solution.
void OnOk(HWND dialog) {
    const std::optional<Thread> thread = ReadThread(dialog);
    if (!thread) {
        return;
    }
    g_thread = thread;
    g_threadRatioText = RatioFieldText(TargetRatio(*thread));
    HWND mainWindow = EndToolsDialog(dialog, IDOK);
    WriteRatioField(mainWindow, g_threadRatioText);
}

} // namespace

void OpenThreadDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_THREAD, FillThreadFields, OnOk};
    OpenToolsDialog(mainWindow, kDialog);
}
