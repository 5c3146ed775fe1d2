// Every program-wide value of the window program, in one place. They all start
// with g_; nothing else in the program is shared between procedures.
#pragma once

#include "better_kind.h"
#include "chart.h"
#include "gear_set.h"
#include "lathe.h"
#include "search.h"
#include "shown_train.h"
#include "thread.h"
#include "train.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Start-up: stored first by window set-up, and the strings 103 and 109.
extern HINSTANCE g_instance;
extern wchar_t g_windowTitle[100];
extern wchar_t g_windowClassName[100];

// The solution list, written only by Recalculate, and the multiplicity table,
// written only by the multiplicity dialog after start-up.
extern std::vector<SolutionRecord> g_solutionList;
extern MultiplicityTable g_multiplicityTable;

// What a recalculation asks: the search, and whether the thread line shows,
// which asks for the nearest train and a better kind too.
struct WindowQuestion {
    SearchRequest request;
    bool threadLine = false;

    bool operator==(const WindowQuestion&) const = default;
};

// The last answers shown and their question, taken again by the next
// recalculation that asks the same. Written by Recalculate and
// TakeSearchAnswer only (recalculate.h).
struct WindowAnswer {
    WindowQuestion question;
    SearchResult result;
    std::optional<NearestTrains> noTrain;
    std::optional<BetterKind> betterKind;
};
extern std::optional<WindowAnswer> g_lastAnswer;

// The complete searches of typed ratios, made off the window's thread by one
// worker at a time (search_worker.h). Every recalculation has the next number;
// an answer shows only when it answers the last one. A question asked while
// the worker runs waits, the latest one only, until it ends; a recalculation
// on the window's thread drops it.
struct SearchState {
    std::uint64_t requested = 0;           // the last recalculation's number
    std::optional<WindowQuestion> asked;   // its question, while the worker answers it
    bool working = false;                  // a worker runs
    std::optional<WindowQuestion> waiting; // the question for after it
};
extern SearchState g_search;

// The gear boxes' check states, by stock index: set as the boxes are created and
// kept in step on every gear-box command, so that a recalculation reads a table
// instead of sending 150 messages on every keystroke.
extern std::array<bool, kGearCount> g_checkedGears;

// The kept procedures of the replaced controls: each is read from its control's
// user-data slot on the replacement's first message (see replacement.h).
extern WNDPROC g_keptRatioFieldProcedure;
extern WNDPROC g_keptErrorFieldProcedure;
extern WNDPROC g_keptGearBoxProcedure; // one for all 150 boxes

// The multiplicity dialog's subject: the gear box's label and screen rectangle,
// filled by the gear box just before it opens the dialog.
extern char g_subjectLabel[4];
extern RECT g_subjectRect;

// The mark fonts the multiplicity dialog made, by stock index, so that each is
// freed once its box uses a newer one. The start-up fonts never appear here.
extern HFONT g_markFonts[kGearCount];

// The thread dialog and the thread line below the gear grid.
struct ThreadLineState {
    // The thread of the dialog's last OK, which it shows again for the rest of
    // the run (none before the first OK), and the text that OK wrote into the
    // ratio field. The thread line shows while the field holds exactly that
    // text; typing into the field and pasting empty it.
    std::optional<Thread> thread;
    std::string ratioText;
    // The units the user last picked by hand in the dialog's lists, taken at
    // its OK: a plain number in the pitch or the leadscrew field is read in
    // its list's picked unit (mm until another is picked), whatever unit an
    // earlier text named.
    PitchUnit pitchUnit = PitchUnit::Mm;
    PitchUnit leadscrewUnit = PitchUnit::Mm;
    // While the line shows and the search found no train among the gears on
    // hand: the tolerance the search kept to and the train nearest the target.
    // Written by Recalculate; none otherwise.
    std::optional<NearestTrains> noTrain;
    // While the line shows: another kind of train that does better than the
    // kind searched, which the line names after its own train (better_kind.h).
    // Written by Recalculate; none otherwise.
    std::optional<BetterKind> betterKind;
};
extern ThreadLineState g_threadLine;

// The lathe: the window's settings that a lathe file keeps, the file open and
// the files opened before.
struct LatheState {
    // The window's settings as a lathe: the thread dialog's leadscrew and fixed
    // ratio (its last OK's, or the open file's; no leadscrew before either),
    // the fit margin in force (none while "Only trains that fit" is off), the
    // chart window's own list of pitches, and the open file's name and banjo,
    // which the window has no way to change. Its gears are the boxes'
    // (BoxStock), which WindowLathe puts in.
    Lathe settings;
    // The margin the fit dialog shows, kept while the fit is off.
    std::uint32_t margin = 15;
    // The lathe file the window has open: its full path, empty until a lathe is
    // opened or saved, and the lathe as that file holds it. The caption's " *"
    // and the question at close compare the window's settings with it.
    std::wstring path;
    Lathe file;
    // The lathe files last opened or saved, newest first, at most four: the
    // File menu lists them, and a bare start opens the first. Kept in the registry.
    std::vector<std::wstring> recent;
};
extern LatheState g_lathe;

// The chart window (none while it is closed) and the drop-down's list shown:
// metric, imperial, module, custom. Its rows are made by one worker thread at
// a time. Each request has the next number; the rows shown are those of the
// last request, and a result of an earlier one is dropped. A request made
// while the worker runs waits, the latest one only, until it ends.
struct ChartState {
    HWND window = nullptr;
    int list = 0;
    std::uint64_t requested = 0;         // the last request's number
    bool working = false;                // a worker runs
    std::optional<ChartRequest> waiting; // the request for after it
    ChartRequest shownRequest;           // the request and chart the window shows
    Chart shown;
};
extern ChartState g_chart;

// The train the main window's diagram draws to scale and the settings it is
// drawn with, as ShowSolution last marked it for painting; none while the
// fixed diagram shows. The same train shown again, as by a keystroke's first
// recalculation, is not drawn again.
struct ScaleDrawn {
    std::optional<SolutionRecord> train; // none: no train listed
    ShowSettings settings;
};
extern std::optional<ScaleDrawn> g_scaleDrawn;

// The drawing window (none while it is closed) and where it stood when it
// was last closed, where it opens again for the rest of the run.
struct DrawingWindowState {
    HWND window = nullptr;
    std::optional<WINDOWPLACEMENT> place;
    std::string dialLine; // the shown train's "dial: ..." while the thread line shows, for the key
};
extern DrawingWindowState g_drawing;

// The thread the thread line names while the ratio field holds ratioText:
// the dialog's last thread while that is the text its OK wrote, otherwise none;
// on the dial of the lathe the window has now.
std::optional<Thread> ThreadOfLine(std::string_view ratioText);

// Whether "Every train" is on lives in the Tools menu's check mark, the kind
// of train in its Train radio items, and the banjo is the open lathe's (see
// train_modes.h).
