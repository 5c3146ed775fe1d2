// The main window class and procedure: command routing, painting, focus
// return and the end of the program.
#include "main_window.h"

#include "about_box.h"
#include "banjo_dialog.h"
#include "chart_window.h"
#include "drawing_window.h"
#include "fit_dialog.h"
#include "gear_box_id.h"
#include "gear_set_copy.h"
#include "gearbox_dialog.h"
#include "gears_dialog.h"
#include "lathe_files.h"
#include "navigation.h"
#include "open_lathe.h"
#include "paint.h"
#include "program_state.h"
#include "ratio_field.h"
#include "recalculate.h"
#include "resource.h"
#include "search_worker.h"
#include "thread_dialog.h"

#include <commctrl.h>

#include <vector>

namespace {

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintMainWindow(window, dc);
    EndPaint(window, &paint);
    return 0;
}

// Painting into a device context the caller gives, such as a bitmap.
LRESULT OnPrintClient(HWND window, HDC dc) {
    PaintMainWindow(window, dc);
    return 0;
}

LRESULT OnNotify(HWND window, const NMHDR& header) {
    if (header.code == UDN_DELTAPOS) {
        StepSolution(window, reinterpret_cast<const NMUPDOWN&>(header));
    }
    return 0;
}

// The box has toggled itself already.
void OnGearBoxClicked(HWND window, int id) {
    g_checkedGears[IndexOfTooth(ToothOfGearBox(id))] =
        SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    Recalculate(window);
    LatheChanged(window);
    FocusRatioField(window);
}

// File, Exit and every request to close: the open lathe's changes are offered
// for saving first, and Cancel keeps the window.
void CloseUnlessCancelled(HWND window) {
    if (OfferToSave(window)) {
        DestroyWindow(window);
    }
}

// The check mark is the setting; the list follows it at once.
void OnEveryTrain(HWND window) {
    CheckMenuItem(GetMenu(window), IDM_EVERY_TRAIN,
                  MF_BYCOMMAND | (EveryTrainChecked(window) ? MF_UNCHECKED : MF_CHECKED));
    Recalculate(window);
}

// The radio item is the setting: the search and the drawing follow it at once.
void OnTrainKind(HWND window, int id) {
    CheckMenuRadioItem(GetMenu(window), IDM_TRAIN_SIMPLE, IDM_TRAIN_ANY, static_cast<UINT>(id), MF_BYCOMMAND);
    Recalculate(window);
    LatheChanged(window); // the chart window follows the kind of train too
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id >= IDC_GEARBOX_FIRST && id <= IDC_GEARBOX_LAST) {
        OnGearBoxClicked(window, id);
        return 0;
    }
    if (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST) {
        OpenRecentLathe(window, static_cast<std::size_t>(id - IDM_RECENT_FIRST));
        return 0;
    }
    switch (id) {
    case IDC_FIRST_DRIVER_SMALLER:
    case IDC_FIRST_DRIVEN_LARGER:
        ShowCurrentSolutionAgain(window);
        return 0;
    case IDM_ABOUT:
        OpenAboutBox(window);
        return 0;
    case IDM_EXIT:
        CloseUnlessCancelled(window);
        return 0;
    case IDM_COPY_GEAR_SET:
        CopyGearSet(window);
        return 0;
    case IDM_THREAD:
        OpenThreadDialog(window);
        return 0;
    case IDM_EVERY_TRAIN:
        OnEveryTrain(window);
        return 0;
    case IDM_TRAIN_SIMPLE:
    case IDM_TRAIN_COMPOUND:
    case IDM_TRAIN_SIX:
    case IDM_TRAIN_ANY:
        OnTrainKind(window, id);
        return 0;
    case IDM_FIT:
        OpenFitDialog(window);
        return 0;
    case IDM_GEARS:
        OpenGearsDialog(window);
        return 0;
    case IDM_BANJO:
        OpenBanjoDialog(window);
        return 0;
    case IDM_GEARBOX:
        OpenGearboxDialog(window);
        return 0;
    case IDM_CHART:
        OpenChartWindow(window);
        return 0;
    case IDM_DRAWING:
        OpenDrawingWindow(window);
        return 0;
    case IDM_OPEN_LATHE:
        OpenLatheCommand(window);
        return 0;
    case IDM_SAVE_LATHE:
        SaveLatheCommand(window);
        return 0;
    case IDM_SAVE_LATHE_AS:
        SaveLatheAsCommand(window);
        return 0;
    default:
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
}

LRESULT OnClose(HWND window) {
    CloseUnlessCancelled(window);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    DropPostedAnswers(window);
    g_scaleDrawn.reset();                               // a new window draws its own
    std::vector<SolutionRecord>().swap(g_solutionList); // empty, and its storage given back
    PostQuitMessage(0);
    return 0;
}

// Activation and deactivation alike put the focus back into the ratio field.
// SetFocus only moves the focus within this program's windows, so on
// deactivation it does not take the activation back from the other program;
// but it would from the chart and drawing windows, which keep it.
LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam) {
    const HWND activated = reinterpret_cast<HWND>(lParam);
    if (LOWORD(wParam) == WA_INACTIVE && activated != nullptr &&
        (activated == g_chart.window || activated == g_drawing.window)) {
        return 0;
    }
    FocusRatioField(window);
    return 0;
}

} // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
    LoadStringW(instance, IDS_APP_TITLE, g_windowTitle, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, g_windowClassName, 100);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TANDREL));
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)); // an ordinal, not text
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDC_TANDREL);
    windowClass.lpszClassName = g_windowClassName;
    RegisterClassExW(&windowClass);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return OnPaint(window);
    case WM_PRINTCLIENT:
        return OnPrintClient(window, reinterpret_cast<HDC>(wParam));
    case WM_NOTIFY:
        return OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_CLOSE:
        return OnClose(window);
    case WM_DESTROY:
        return OnDestroy(window);
    case WM_ACTIVATE:
        return OnActivate(window, wParam, lParam);
    case WM_SEARCH_ANSWERED:
        TakeSearchAnswer(window, wParam, lParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
