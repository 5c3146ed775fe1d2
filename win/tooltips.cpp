#include "tooltips.h"

#include "program_state.h"
#include "resource.h"

#include <commctrl.h>

namespace {

struct Tip {
    int id;
    const wchar_t* text;
};

constexpr Tip kTips[] = {
    {IDC_RATIO,
     L"Target ratio: the drivers' teeth multiplied \u00F7 the driven gears' teeth multiplied, spindle "
     L"to leadscrew"},
    {IDC_ACHIEVED_RATIO, L"Achieved ratio: the shown train's drivers multiplied, divided by its driven gears "
                         L"multiplied"},
    {IDC_ERROR, L"Error: achieved ratio minus target ratio"},
    {IDC_ZERO_COUNT, L"zeros after the decimal point of the error"},
    {IDC_SOLUTION_COUNTER, L"The shown train's place in the list, best first"},
    {IDC_SOLUTION_UPDOWN, L"The previous and the next train"},
};

} // namespace

void AddTooltips(HWND mainWindow) {
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, mainWindow, nullptr, g_instance, nullptr);
    // Wide enough for the ratio field's text on one line.
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 600);
    for (const Tip& tip : kTips) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = mainWindow;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(mainWindow, tip.id));
        tool.lpszText = const_cast<wchar_t*>(tip.text); // the control copies the text
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
