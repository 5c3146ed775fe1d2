// Window set-up: the main window and every control at its fixed place, the two
// fonts, the replacement procedures, then show, paint and focus.
#include "window_setup.h"

#include "command_line.h"
#include "gear_box_id.h"
#include "gear_set.h"
#include "label_font.h"
#include "lathe_files.h"
#include "multiplicity_dialog.h"
#include "navigation.h"
#include "paint.h"
#include "program_state.h"
#include "ratio_field.h"
#include "recent_lathes.h"
#include "replacement.h"
#include "resource.h"
#include "tooltips.h"
#include "wide_text.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kToothFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER;
// SS_NOTIFY: the result fields take the mouse, so that their tooltips see it.
constexpr DWORD kResultFieldStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOTIFY;
constexpr DWORD kCheckBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    DWORD extendedStyle;
    int x, y, width, height;
};

// Every control but the up-down and the gear boxes, in creation order.
constexpr ControlRow kFields[] = {
    {IDC_RATIO, "Edit", nullptr, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE, 55, 35, 155, 24},
    {IDC_FIRST_DRIVER, "Static", "", kToothFieldStyle, 0, 268, 16, 25, 24},
    {IDC_FIRST_DRIVEN, "Static", "", kToothFieldStyle, 0, 303, 47, 25, 24},
    {IDC_SECOND_DRIVER, "Static", "", kToothFieldStyle, 0, 333, 77, 25, 24},
    {IDC_SECOND_DRIVEN, "Static", "", kToothFieldStyle, 0, 378, 103, 25, 24},
    {IDC_ACHIEVED_RATIO, "Static", "", kResultFieldStyle, 0, 41, 65, 160, 24},
    {IDC_ERROR, "Static", "", kResultFieldStyle, 0, 41, 85, 160, 24},
    {IDC_ZERO_COUNT, "Static", "", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY, 0, 68, 118, 20, 18},
    {IDC_FIRST_DRIVER_SMALLER, "Button", "First driver smaller", kCheckBoxStyle, 0, 385, 5, 127, 25},
    {IDC_FIRST_DRIVEN_LARGER, "Button", "First driven larger", kCheckBoxStyle, 0, 385, 30, 127, 25},
    {IDC_SOLUTION_COUNTER, "Static", "1", WS_CHILD | SS_RIGHT | SS_NOTIFY, 0, 193, 119, 27, 24},
    // The modes in force, over the last of the thread line's rows while the
    // thread line leaves it free (show_solution.h); above the thread line, which
    // does not paint over it.
    {IDC_MODE_LINE, "Static", "", WS_CHILD | SS_RIGHT | SS_NOPREFIX, 0, 20, 566, 530, 18},
    // Below the gear grid; three lines for the longest: a designation with its
    // starts, leadscrew and fixed ratio, and the nearest train with its lead and error.
    {IDC_THREAD_LINE, "Static", "", WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX, 0, 20, 530, 530, 54},
};

HWND CreateControl(HWND mainWindow, const ControlRow& row) {
    return CreateWindowExA(row.extendedStyle, row.className, row.text, row.style, row.x, row.y, row.width,
                           row.height, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                           g_instance, nullptr);
}

void CreateFields(HWND mainWindow) {
    for (const ControlRow& row : kFields) {
        CreateControl(mainWindow, row);
        if (row.id == IDC_RATIO) {
            SendDlgItemMessageA(mainWindow, IDC_RATIO, EM_LIMITTEXT, 16, 0);
        } else if (row.id == IDC_FIRST_DRIVER_SMALLER || row.id == IDC_FIRST_DRIVEN_LARGER) {
            SendDlgItemMessageA(mainWindow, row.id, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
}

void CreateSolutionUpDown(HWND mainWindow) {
    CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | UDS_HORZ | UDS_ARROWKEYS | UDS_SETBUDDYINT, 225,
                    120, 40, 20, mainWindow,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SOLUTION_UPDOWN)), g_instance, nullptr);
    ConfigureNavigation(mainWindow);
}

// Ten columns of fifteen, filled column by column; checked as the gear-set string says.
void CreateGearBoxes(HWND mainWindow, const std::string& gearSet) {
    for (int k = 0; k < kGearCount; ++k) {
        char label[4];
        std::snprintf(label, sizeof label, "%u", static_cast<unsigned>(ToothOfIndex(k)));
        const int id = GearBoxId(ToothOfIndex(k));
        CreateControl(mainWindow, {id, "Button", label, kCheckBoxStyle, 0, 20 + 50 * (k / 15),
                                   150 + 25 * (k % 15), 45, 25});
        if (StartsChecked(gearSet, k)) {
            SendDlgItemMessageA(mainWindow, id, BM_SETCHECK, BST_CHECKED, 0);
        }
        g_checkedGears[k] = SendDlgItemMessageA(mainWindow, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
}

void SetFont(HWND mainWindow, int id, HFONT font) {
    SendDlgItemMessageA(mainWindow, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// Both fonts come from the default GUI font's description; the narrow one only
// differs in width. Two-digit gear labels get the regular font, three-digit
// ones the narrow font.
void HandOutFonts(HWND mainWindow) {
    LOGFONTW description = LabelFontDescription();
    HFONT regular = CreateFontIndirectW(&description);
    description.lfWidth = 7;
    HFONT narrow = CreateFontIndirectW(&description);

    for (int id : {IDC_RATIO, IDC_ACHIEVED_RATIO, IDC_ERROR, IDC_ZERO_COUNT, IDC_SOLUTION_COUNTER,
                   IDC_THREAD_LINE, IDC_MODE_LINE}) {
        SetFont(mainWindow, id, regular);
    }
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        SetFont(mainWindow, GearBoxId(tooth), tooth < 100 ? regular : narrow);
    }
    for (int id = IDC_FIRST_DRIVER; id <= IDC_SECOND_DRIVEN; ++id) {
        SetFont(mainWindow, id, narrow);
    }
    SetFont(mainWindow, IDC_FIRST_DRIVER_SMALLER, narrow);
    SetFont(mainWindow, IDC_FIRST_DRIVEN_LARGER, narrow);
}

void InstallReplacements(HWND mainWindow) {
    InstallReplacement(GetDlgItem(mainWindow, IDC_RATIO), RatioFieldProc);
    InstallReplacement(GetDlgItem(mainWindow, IDC_ERROR), ErrorFieldProc);
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        InstallReplacement(GetDlgItem(mainWindow, GearBoxId(tooth)), GearBoxProc);
    }
}

// The lathe file a start's argument names, with its full path, when there is one.
std::wstring NamedLatheFile(const std::string& commandLine) {
    const std::wstring named = WideFromUtf8(LatheFileArgument(commandLine));
    const DWORD attributes = named.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(named.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0
               ? named
               : std::wstring();
}

} // namespace

HWND SetUpWindow(HINSTANCE instance, int showCommand, std::wstring_view wideCommandLine) {
    g_instance = instance;
    HWND mainWindow = CreateWindowExW(0, g_windowClassName, g_windowTitle, WS_DLGFRAME, 400, 200, 570, 630,
                                      nullptr, nullptr, instance, nullptr);
    if (mainWindow == nullptr) {
        return nullptr;
    }
    const std::string commandLine = Utf8FromWide(wideCommandLine);
    CreateFields(mainWindow);
    CreateSolutionUpDown(mainWindow);
    CreateGearBoxes(mainWindow, ExtractGearSetString(commandLine));
    HandOutFonts(mainWindow);
    InstallReplacements(mainWindow);
    AddTooltips(mainWindow);
    CheckMenuRadioItem(GetMenu(mainWindow), IDM_TRAIN_SIMPLE, IDM_TRAIN_SIX, IDM_TRAIN_COMPOUND,
                       MF_BYCOMMAND);
    g_multiplicityTable = AllMultiplicitiesOne();

    // A lathe file named on the command line opens; a bare start opens the
    // lathe last opened or saved.
    g_lathe.recent = LoadRecentLathes();
    ShowRecentLathes(mainWindow);
    const std::wstring named = NamedLatheFile(commandLine);
    LatheProblem problem;
    if (!named.empty()) {
        problem = TakeLatheFile(mainWindow, named);
    } else if (CommandLineArgument(commandLine).empty() && !g_lathe.recent.empty()) {
        OpenLastLathe(mainWindow);
    }

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    FocusRatioField(mainWindow);
    if (!problem.what.empty()) {
        ReportBadLathe(mainWindow, named, problem);
    }
    return mainWindow;
}
