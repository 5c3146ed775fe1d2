// A thread chart as it is shown: the rows of the chart window's list and of
// the printed page, the summary line, and the chart as CSV, the same for the
// window's export and the tool.
#pragma once

#include "chart.h"
#include "search.h"
#include "train_facts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The train a chart row shows: its best, or else the nearest one outside tolerance.
std::optional<SolutionRecord> RowTrain(const ChartRow& row);

// The chart shows the columns A, B, C, D where every row's four gears were
// arranged by the fit; otherwise each row's gears in one column.
bool ChartHasPositionColumns(const ChartRequest& request);

TrainFacts RowFacts(const ChartRequest& request, const ChartRow& row, const SolutionRecord& train);

// A row's mark: empty within tolerance, the verdict on its nearest train
// ("outside 0.1 %: 1.2 % long"), or "no usable train within 1 %".
std::string RowMark(const ChartRequest& request, const ChartRow& row);

struct ChartLine {
    std::vector<std::string> cells;      // one for each of the table's headers
    std::optional<SolutionRecord> train; // the train shown, if any
    TrainFacts facts;                    // the shown train's
    bool within = false;                 // the train shown is within tolerance
    std::string trainName;               // "A 20, B 55, C 22, D 127"; "drivers 20 and 22, driven 55 and 127"
    std::string mark;                    // RowMark
    std::string betterKind;              // BetterKindOfRow; the Mark cell holds both, "; " between
};

// Thread, target ratio, the gears (A, B, C, D, or one column), lead in the
// thread's unit, error in ppm, the error as measured, and the row's mark
// (RowMark), followed by another kind of train where one does better
// (BetterKindOfRow).
struct ChartTable {
    std::vector<std::string> headers;
    std::vector<ChartLine> lines;
};

ChartTable MakeChartTable(const ChartRequest& request, const Chart& chart);

// "22 of 24 within 0.1 %; worst 54 ppm": the rows within tolerance and the
// largest lead error among them, in whole ppm from 10 ppm, below with one decimal.
std::string ChartSummary(const ChartRequest& request, const Chart& chart);

// What a row says when another kind of train does better: "exact with six
// gears: 30 127 75 60 80 25" (BetterKindText); empty when none does.
std::string BetterKindOfRow(const ChartRequest& request, const ChartRow& row);

// With the plate's gears only, the threads the gearbox cannot cut within
// tolerance without other change gears: "Without other change gears the box
// cannot cut: 4.5 TPI, 11.5 TPI" or "... can cut every thread", and a line
// end; empty otherwise.
std::string PlateOnlyLine(const ChartRequest& request, const Chart& chart);
// Those threads' places among the rows.
std::vector<std::size_t> RowsOutside(const Chart& chart);

// The threads of the chart's rows at these places, by name ("72 TPI").
std::vector<std::string> RowNames(const Chart& chart, const std::vector<std::size_t>& rows);

// What a suggested gear does to the chart: "brings in 72 TPI, 80 TPI; still
// outside: 4.5 TPI", the threads by name in the chart's order, "none" for an
// empty list.
std::string SuggestionEffect(const Chart& chart, const GearSuggestion& suggestion);

// "25 of 32 threads within tolerance; worst lead error 605.7 ppm; total
// badness 61.28": a chart's score, or a suggested gear's; with no thread
// within tolerance the count alone.
std::string ChartScoreText(const ChartScore& score, std::size_t rows);

// What heads the suggestions, or says there are none.
inline constexpr std::string_view kSuggestionsHeading = "Gears to buy next, one of a size, best first:";
inline constexpr std::string_view kNoSuggestion = "No single gear more would improve this chart.";

// How the suggestions are ranked, in one line.
inline constexpr std::string_view kBadnessRule =
    "Ranked by the chart's total badness: the sum over its threads of log10(1 + |lead error in ppm|), a "
    "thread without a train within tolerance counting as 100,000 ppm; smaller is better.";

// The chart as CSV: a header line, a line per row (the train it shows, or the
// thread alone) ending in its mark and another kind that does better, and with
// suggestions a second table of them, with the threads each brings in and
// those still outside.
std::string ChartCsv(const ChartRequest& request, const Chart& chart);
