// The gearbox dialog: the settings as "name = value" lines in a multi-line
// field, the plate's gears in a field of their own. The core reads them
// (ReadGearboxForm) as the lathe file does; a line or field it refuses keeps
// the dialog open with the core's sentence below the fields.
#include "gearbox_dialog.h"

#include "gearbox_form.h"
#include "open_lathe.h"
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "tools_dialog.h"
#include "wide_text.h"

#include <string>

namespace {

// The edit control breaks its lines with CR LF; the core writes LF and reads either.
std::wstring WithCrLf(const std::string& lines) {
    std::wstring text;
    for (const wchar_t c : WideFromUtf8(lines)) {
        text += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
    return text;
}

void FillGearboxFields(HWND dialog) {
    const GearboxForm form = GearboxFormOf(g_lathe.settings.gearbox);
    // Room for a lathe file's worth of settings.
    SendDlgItemMessageW(dialog, IDC_BOX_SETTINGS, EM_LIMITTEXT, kMaxLatheFileSize, 0);
    SendDlgItemMessageW(dialog, IDC_BOX_PLATE, EM_LIMITTEXT, 64, 0);
    SetDlgItemTextW(dialog, IDC_BOX_SETTINGS, WithCrLf(form.lines).c_str());
    SetDlgItemTextW(dialog, IDC_BOX_PLATE, WideFromUtf8(form.plate).c_str());
    // The dialog selects the whole list as it focuses it, where one key would
    // replace every setting: posted, the caret goes to the list's start after that.
    PostMessageW(GetDlgItem(dialog, IDC_BOX_SETTINGS), EM_SETSEL, 0, 0);
    PostMessageW(GetDlgItem(dialog, IDC_BOX_SETTINGS), EM_SCROLLCARET, 0, 0);
}

// A refused line is selected alone, so that typing mends it and keeps the
// others; where the list as a whole is refused, the caret goes to its start.
void SelectRefusedLine(HWND dialog, std::size_t line) {
    HWND field = GetDlgItem(dialog, IDC_BOX_SETTINGS);
    WPARAM start = 0;
    LPARAM end = 0;
    if (line > 0) {
        const LRESULT index = SendMessageW(field, EM_LINEINDEX, line - 1, 0);
        if (index >= 0) {
            start = static_cast<WPARAM>(index);
            end = index + SendMessageW(field, EM_LINELENGTH, start, 0);
        }
    }
    SendMessageW(field, EM_SETSEL, start, end);
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

void OnOk(HWND dialog) {
    const GearboxForm form{DialogFieldText(dialog, IDC_BOX_SETTINGS), DialogFieldText(dialog, IDC_BOX_PLATE)};
    std::optional<Gearbox> gearbox = g_lathe.settings.gearbox;
    if (const std::optional<GearboxFormProblem> problem =
            ReadGearboxForm(form, g_lathe.settings.leadscrew.has_value(), gearbox)) {
        const bool lines = problem->field == GearboxField::Lines;
        RejectField(dialog, lines ? IDC_BOX_SETTINGS : IDC_BOX_PLATE, IDC_BOX_PROBLEM, problem->what);
        if (lines) {
            SelectRefusedLine(dialog, problem->line);
        }
        return;
    }
    g_lathe.settings.gearbox = std::move(gearbox);
    HWND mainWindow = EndToolsDialog(dialog, IDOK);
    Recalculate(mainWindow);
    LatheChanged(mainWindow);
}

} // namespace

void OpenGearboxDialog(HWND mainWindow) {
    static constexpr ToolsDialog kDialog = {IDD_GEARBOX, FillGearboxFields, OnOk};
    OpenToolsDialog(mainWindow, kDialog);
}
