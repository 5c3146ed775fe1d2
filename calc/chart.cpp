#include "chart.h"

#include "stock.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<Pitch> PitchList(std::initializer_list<double> values, PitchUnit unit) {
    std::vector<Pitch> pitches;
    for (double value : values) {
        pitches.push_back({value, unit});
    }
    return pitches;
}

// A row without a train within tolerance counts as this far off.
constexpr double kNoTrainPpm = 100000;

// The chart's rows for the stock. Without `smaller`, a row without a train
// gets the nearest one, and each row another kind's train that does better.
// With `smaller`, the rows for a stock with one gear less: a row then only
// looks for a train closer than its best train there, and keeps that one
// otherwise (a score sees only the errors), which spares most of the search.
std::vector<ChartRow> ChartRows(const ChartRequest& request, const Stock& stock,
                                const std::vector<ChartRow>* smaller,
                                const std::function<void()>& beforeEachRow) {
    SearchRequest search = request.search;
    search.stock = stock;
    search.limit = 1;
    search.count = false;
    std::vector<ChartRow> rows;
    for (std::size_t i = 0; i < request.pitches.size(); ++i) {
        if (beforeEachRow) {
            beforeEachRow();
        }
        Thread thread = request.lathe;
        thread.pitch = request.pitches[i];
        search.target = TargetRatio(thread);
        const std::optional<SolutionRecord> known = smaller ? (*smaller)[i].best : std::nullopt;
        search.tolerance = known ? Tolerance{known->error, false} : request.search.tolerance;
        const SearchResult found = RunSearch(search);
        rows.push_back({thread, search.target, known, std::nullopt, std::nullopt});
        if (!smaller) {
            rows.back().betterKind = FindBetterKind(search, found.solutions);
        }
        if (!found.solutions.empty()) {
            rows.back().best = found.solutions.front();
        } else if (!smaller) {
            const NearestTrains near = FindNearestTrains(search, 1);
            if (!near.trains.empty()) {
                rows.back().nearest = near.trains.front();
            }
        }
    }
    return rows;
}

// The badness is summed smallest first, so that charts with the same row
// errors in another order have the very same total.
ChartScore Score(const std::vector<ChartRow>& rows) {
    ChartScore score;
    std::vector<double> badness;
    for (const ChartRow& row : rows) {
        double ppm = kNoTrainPpm;
        if (row.best) {
            ++score.rowsWithin;
            ppm = std::fabs(LeadErrorPpm(row.thread, TrainRatio(*row.best)));
            score.worstPpm = std::max(score.worstPpm, ppm);
        }
        badness.push_back(std::log10(1 + std::round(ppm * 100) / 100));
    }
    std::sort(badness.begin(), badness.end());
    for (double row : badness) {
        score.badness += row;
    }
    return score;
}

// What one gear more does to the chart's rows: those it brings within tolerance, and those still outside.
GearSuggestion Suggestion(std::uint32_t tooth, const ChartScore& score, const std::vector<ChartRow>& before,
                          const std::vector<ChartRow>& with) {
    GearSuggestion suggestion{tooth, score, {}, {}};
    for (std::size_t i = 0; i < with.size(); ++i) {
        if (!with[i].best) {
            suggestion.stillOutside.push_back(i);
        } else if (!before[i].best) {
            suggestion.broughtIn.push_back(i);
        }
    }
    return suggestion;
}

} // namespace

std::vector<Pitch> MetricPitches() {
    return PitchList({0.2,  0.25, 0.3,  0.35, 0.4, 0.45, 0.5, 0.6, 0.7, 0.75, 0.8, 1,
                      1.25, 1.5,  1.75, 2,    2.5, 3,    3.5, 4,   4.5, 5,    5.5, 6},
                     PitchUnit::Mm);
}

std::vector<Pitch> ImperialPitches() {
    return PitchList({4,  4.5, 5,  5.5, 6,  7,  8,  9,  10, 11, 11.5, 12, 13, 14, 16, 18,
                      19, 20,  22, 24,  26, 27, 28, 32, 36, 40, 44,   48, 56, 64, 72, 80},
                     PitchUnit::Tpi);
}

std::vector<Pitch> ModulePitches() {
    return PitchList(
        {0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.125, 1.25, 1.375, 1.5, 1.75, 2, 2.25, 2.5, 2.75, 3, 3.5, 4},
        PitchUnit::Module);
}

Chart MakeChart(const ChartRequest& request, const std::function<void()>& beforeEachRow) {
    Chart chart;
    chart.rows = ChartRows(request, request.search.stock, nullptr, beforeEachRow);
    chart.score = Score(chart.rows);
    if (request.suggest == 0) {
        return chart;
    }
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        if (request.search.stock.count[tooth] != 0) {
            continue;
        }
        Stock withOne = request.search.stock;
        withOne.count[tooth] = 1;
        const std::vector<ChartRow> rows = ChartRows(request, withOne, &chart.rows, beforeEachRow);
        const ChartScore score = Score(rows);
        if (score.badness < chart.score.badness) {
            chart.suggestions.push_back(Suggestion(tooth, score, chart.rows, rows));
        }
    }
    // Tried in ascending tooth count, so ties keep the smaller one first.
    std::stable_sort(
        chart.suggestions.begin(), chart.suggestions.end(),
        [](const GearSuggestion& a, const GearSuggestion& b) { return a.score.badness < b.score.badness; });
    if (chart.suggestions.size() > request.suggest) {
        chart.suggestions.resize(request.suggest);
    }
    return chart;
}
