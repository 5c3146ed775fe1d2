#include "chart.h"

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

std::vector<ChartRow> ChartRows(const ChartRequest& request, const Stock& stock) {
    SearchRequest search{0,
                         stock,
                         SearchMethod::EveryTrain,
                         request.tolerance,
                         1,
                         request.fitMargin,
                         request.train,
                         request.banjo,
                         false};
    std::vector<ChartRow> rows;
    for (const Pitch& pitch : request.pitches) {
        Thread thread = request.lathe;
        thread.pitch = pitch;
        search.target = TargetRatio(thread);
        const SearchResult found = RunSearch(search);
        rows.push_back({thread, search.target, std::nullopt});
        if (!found.solutions.empty()) {
            rows.back().best = found.solutions.front();
        }
    }
    return rows;
}

ChartScore Score(const std::vector<ChartRow>& rows) {
    ChartScore score;
    for (const ChartRow& row : rows) {
        if (row.best) {
            ++score.rowsWithin;
            const double ppm = std::fabs(LeadErrorPpm(row.thread, TrainRatio(*row.best)));
            score.worstPpm = std::max(score.worstPpm, ppm);
        }
    }
    return score;
}

bool Better(const ChartScore& a, const ChartScore& b) {
    return a.rowsWithin > b.rowsWithin || (a.rowsWithin == b.rowsWithin && a.worstPpm < b.worstPpm);
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

Chart MakeChart(const ChartRequest& request) {
    Chart chart;
    chart.rows = ChartRows(request, request.stock);
    chart.score = Score(chart.rows);
    if (request.suggest == 0) {
        return chart;
    }
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        if (request.stock.count[tooth] != 0) {
            continue;
        }
        Stock withOne = request.stock;
        withOne.count[tooth] = 1;
        const ChartScore score = Score(ChartRows(request, withOne));
        if (Better(score, chart.score)) {
            chart.suggestions.push_back({tooth, score});
        }
    }
    std::stable_sort(
        chart.suggestions.begin(), chart.suggestions.end(),
        [](const GearSuggestion& a, const GearSuggestion& b) { return Better(a.score, b.score); });
    if (chart.suggestions.size() > request.suggest) {
        chart.suggestions.resize(request.suggest);
    }
    return chart;
}
