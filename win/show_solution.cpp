// Show solution: one record of the solution list into the seven result fields,
// and the thread line below the gear grid: the shown train's lead, or the
// nearest train when none was found. The modes in force: which fields and
// boxes apply, and the line that names the modes.
#include "show_solution.h"

#include "better_kind_text.h"
#include "drawing_window.h"
#include "number_text.h"
#include "paint.h"
#include "program_state.h"
#include "resource.h"
#include "shown_train.h"
#include "solution_texts.h"
#include "thread.h"
#include "train_facts.h"
#include "train_modes.h"
#include "wide_text.h"

#include <string>
#include <tuple>

namespace {

bool Shown(HWND control) {
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Shown(HWND mainWindow, int id) {
    return Shown(GetDlgItem(mainWindow, id));
}

// Written only when the text differs: a keystroke recalculates twice, and the
// first time shows the train already shown. Under Wine each text set costs a
// round trip to the window server and a repaint of the field.
void SetText(HWND mainWindow, int id, const std::string& text) {
    HWND control = GetDlgItem(mainWindow, id);
    char shown[64] = {}; // a longer text reads back cut short, and is written
    GetWindowTextA(control, shown, sizeof shown);
    if (text != shown) {
        SetWindowTextA(control, text.c_str());
    }
}

// Shown or hidden only when that changes: most keystrokes leave the control as it is.
void ShowControl(HWND mainWindow, int id, bool show) {
    HWND control = GetDlgItem(mainWindow, id);
    if (Shown(control) != show) {
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
    }
}

void ShowNavigation(HWND mainWindow, bool show) {
    ShowControl(mainWindow, IDC_SOLUTION_UPDOWN, show);
    ShowControl(mainWindow, IDC_SOLUTION_COUNTER, show);
}

void ShowThreadLine(HWND mainWindow, bool show) {
    ShowControl(mainWindow, IDC_THREAD_LINE, show);
}

// The thread line's text is the core's UTF-8 ("µm").
void SetThreadLine(HWND mainWindow, const std::optional<std::string>& line) {
    if (line) {
        SetDlgItemTextW(mainWindow, IDC_THREAD_LINE, WideFromUtf8(*line).c_str());
    }
    ShowThreadLine(mainWindow, line.has_value());
}

// The texts of a train as the window shows it: its gears in the option boxes'
// order, or as it fits while the fit setting is on (every train listed fits
// then); no tooth texts for a train drawn to scale, which names its gears itself.
SolutionTexts ShownTexts(const SolutionRecord& record, const std::string& ratioText,
                         const ShowSettings& settings) {
    SolutionTexts texts =
        MakeSolutionTexts(record, ratioText, settings.firstDriverSmaller, settings.firstDrivenLarger);
    if (DrawnToScale(settings, record.gears)) {
        texts.firstDriver = texts.firstDriven = texts.secondDriver = texts.secondDriven = "";
    } else {
        const std::vector<std::uint32_t> gears = ShowTrain(record, settings).gears;
        PlaceArrangement(texts, {gears[0], gears[1], gears[2], gears[3]});
    }
    return texts;
}

// Whether the thread line's text reaches its last row, where the mode line stands.
bool ThreadLineFillsItsRows(HWND mainWindow) {
    HWND line = GetDlgItem(mainWindow, IDC_THREAD_LINE);
    wchar_t text[1024] = {};
    GetWindowTextW(line, text, static_cast<int>(std::size(text)));
    RECT needed;
    GetClientRect(line, &needed);
    HDC dc = GetDC(line);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(line, dc);
    return needed.bottom - needed.top > 2 * metrics.tmHeight;
}

// The modes at the right of the thread line's last row, unless the thread line needs that row.
void ShowModeLine(HWND mainWindow, const std::string& modes) {
    const std::wstring text = WideFromUtf8(modes);
    wchar_t shown[128] = {};
    GetDlgItemTextW(mainWindow, IDC_MODE_LINE, shown, static_cast<int>(std::size(shown)));
    if (text != shown) {
        SetDlgItemTextW(mainWindow, IDC_MODE_LINE, text.c_str());
    }
    ShowControl(mainWindow, IDC_MODE_LINE,
                !modes.empty() &&
                    !(Shown(mainWindow, IDC_THREAD_LINE) && ThreadLineFillsItsRows(mainWindow)));
}

// The thread line's text followed by another kind of train that does better, if any.
std::string WithBetterKind(HWND mainWindow, const Thread& thread, std::string line) {
    if (g_threadLine.betterKind) {
        line += "; " + BetterKindText(*g_threadLine.betterKind, WindowShowSettings(mainWindow),
                                      TargetRatio(thread), thread);
    }
    return line;
}

// No train: while the thread line shows, it names the nearest train, its gears as they would show.
void ShowNoTrain(HWND mainWindow) {
    const std::string ratioText = RatioText(mainWindow);
    const std::optional<Thread> thread = ThreadOfLine(ratioText);
    if (!thread || !g_threadLine.noTrain) {
        SetThreadLine(mainWindow, std::nullopt);
        return;
    }
    std::string gears;
    if (!g_threadLine.noTrain->trains.empty()) {
        gears =
            GearsText(ShowTrain(g_threadLine.noTrain->trains.front(), WindowShowSettings(mainWindow)).gears);
    }
    SetThreadLine(mainWindow, WithBetterKind(mainWindow, *thread,
                                             DescribeNoTrain(*thread, *g_threadLine.noTrain, gears)));
}

// Whether the diagram would draw the same: the same train with the same settings.
bool SameDrawing(const std::optional<ScaleDrawn>& drawn, const ScaleDrawn& now) {
    const auto key = [](const ScaleDrawn& d) {
        const SolutionRecord r = d.train.value_or(SolutionRecord{});
        const ShowSettings& s = d.settings;
        return std::tuple(d.train.has_value(), r.error, r.gears, r.driver1, r.driver2, r.driver3, r.driven1,
                          r.driven2, r.driven3, r.idler, s.kind, s.fitMargin, s.banjo, s.firstDriverSmaller,
                          s.firstDrivenLarger);
    };
    return drawn && key(*drawn) == key(now);
}

// The fields, boxes and mode line for a shown train of this many gears (ShownGearCount).
void ShowModesFor(HWND mainWindow, const ShowSettings& settings, std::uint32_t gears) {
    const bool toScale = DrawnToScale(settings, gears);
    if (Shown(mainWindow, IDC_FIRST_DRIVER) == toScale) {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_SECOND_DRIVEN; ++id) {
            ShowControl(mainWindow, id, !toScale);
        }
        InvalidateDiagram(mainWindow);
    }
    const bool boxesApply = OptionBoxesApply(settings, gears);
    for (int id : {IDC_FIRST_DRIVER_SMALLER, IDC_FIRST_DRIVEN_LARGER}) {
        if ((IsWindowEnabled(GetDlgItem(mainWindow, id)) != FALSE) != boxesApply) {
            EnableWindow(GetDlgItem(mainWindow, id), boxesApply);
        }
    }
    ShowModeLine(mainWindow, ModesText(settings, EveryTrainChecked(mainWindow)));
}

} // namespace

void ShowModes(HWND mainWindow) {
    ShowModesFor(mainWindow, WindowShowSettings(mainWindow), ShownGears(mainWindow));
}

void ShowSolution(HWND mainWindow, std::uint32_t index) {
    const ShowSettings settings = WindowShowSettings(mainWindow);
    // The callers keep the index inside the list; an index beyond it shows the last solution.
    const SolutionRecord* shown =
        g_solutionList.empty()
            ? nullptr
            : &g_solutionList[index < g_solutionList.size() ? index : g_solutionList.size() - 1];
    const std::uint32_t gears = ShownGearCount(settings.kind, shown);
    // The drawing shows the train the up-down is about to stand at.
    if (!DrawnToScale(settings, gears)) {
        g_scaleDrawn.reset();
    } else if (const ScaleDrawn drawn{shown ? std::optional(*shown) : std::nullopt, settings};
               !SameDrawing(g_scaleDrawn, drawn)) {
        InvalidateDiagram(mainWindow);
        g_scaleDrawn = drawn;
    }
    // The drawing window's key ends with the shown train's dial line while the thread line shows.
    const std::string ratioText = RatioText(mainWindow);
    const std::optional<Thread> thread = ThreadOfLine(ratioText);
    const std::optional<DialAdvice> dial =
        thread && shown ? DialOf(*thread, TrainRatio(*shown)) : std::nullopt;
    // Behind a gearbox the key names the setting too: "setting B3, plate gears; dial: any line".
    const std::string setting =
        thread && shown
            ? SettingText(*shown, g_lastAnswer ? g_lastAnswer->question.request.gearbox : std::nullopt)
            : "";
    const std::string dialText = dial ? DialText(*thread->dial, *dial) : "";
    g_drawing.dialLine = setting.empty() || dialText.empty() ? setting + dialText : setting + "; " + dialText;
    RedrawDrawingWindow();
    if (!shown) {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
            SetText(mainWindow, id, "");
        }
        ShowNavigation(mainWindow, false);
        ShowNoTrain(mainWindow);
        ShowModesFor(mainWindow, settings, gears);
        return;
    }
    const SolutionRecord& record = *shown;
    ShowNavigation(mainWindow, true);

    const SolutionTexts texts = ShownTexts(record, ratioText, settings);

    SetText(mainWindow, IDC_FIRST_DRIVER, texts.firstDriver);
    SetText(mainWindow, IDC_SECOND_DRIVER, texts.secondDriver);
    SetText(mainWindow, IDC_FIRST_DRIVEN, texts.firstDriven);
    SetText(mainWindow, IDC_SECOND_DRIVEN, texts.secondDriven);
    SetText(mainWindow, IDC_ACHIEVED_RATIO, texts.achievedRatio);
    SetText(mainWindow, IDC_ERROR, texts.error);
    SetText(mainWindow, IDC_ZERO_COUNT, texts.zeroCount);
    // The lead the shown train cuts, while the ratio field still holds the text the thread dialog wrote;
    // behind a gearbox the setting first ("setting B3, plate gears: ...").
    SetThreadLine(mainWindow, thread ? std::optional(WithBetterKind(mainWindow, *thread,
                                                                    (setting.empty() ? "" : setting + ": ") +
                                                                        DescribeThreadTrain(*thread, record)))
                                     : std::nullopt);
    ShowModesFor(mainWindow, settings, gears);
}

std::string RatioText(HWND mainWindow) {
    char ratioText[kRatioTextRead + 1] = {};
    GetDlgItemTextA(mainWindow, IDC_RATIO, ratioText, sizeof ratioText);
    return ratioText;
}
