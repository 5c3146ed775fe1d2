#include "chart_custom.h"

#include "lathe.h"
#include "number_text.h"
#include "program_state.h"
#include "resource.h"
#include "tools_dialog.h"
#include "wide_text.h"

#include <string>
#include <vector>

namespace {

std::string PitchListText(const std::vector<Pitch>& pitches) {
    std::string text;
    for (const Pitch& pitch : pitches) {
        text += text.empty() ? "" : ", ";
        text += PitchText(pitch);
    }
    return text;
}

// An empty list is refused: a chart needs a pitch.
void OnOk(HWND dialog) {
    const std::string list = DialogFieldText(dialog, IDC_CHART_CUSTOM_LIST);
    std::vector<Pitch> pitches;
    std::string problem =
        TrimSpaces(list).empty() ? "needs one pitch at least" : ReadPitchList(list, pitches);
    if (problem.empty() && pitches.size() > kMaxChartPitches) {
        problem = "holds more than 100 pitches";
    }
    if (!problem.empty()) {
        RejectField(dialog, IDC_CHART_CUSTOM_LIST, IDC_CHART_CUSTOM_PROBLEM, "The list " + problem);
        return;
    }
    g_lathe.settings.chart = pitches;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK CustomProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_CHART_CUSTOM_LIST,
                        WideFromUtf8(PitchListText(g_lathe.settings.chart)).c_str());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(dialog);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool AskForCustomPitches(HWND chartWindow) {
    return DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_CHART_CUSTOM), chartWindow, CustomProc, 0) ==
           IDOK;
}
