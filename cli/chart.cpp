#include "chart.h"

#include "every_train.h"

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

std::vector<ChartRow> ChartRows(const CliRequest& request, const std::vector<std::uint32_t>& teeth,
                                const MultiplicityLookup& multiplicity) {
    std::vector<ChartRow> rows;
    for (const Pitch& pitch : request.chartPitches) {
        const double target = TargetRatio(ThreadOf(request, pitch));
        const EveryTrainResult found = FindEveryTrain(target, teeth, multiplicity,
                                                      {request.tolerance.For(target), 1, request.fitMargin});
        rows.push_back({pitch, target, std::nullopt});
        if (!found.solutions.empty()) {
            rows.back().best = found.solutions.front();
        }
    }
    return rows;
}

ChartScore Score(const CliRequest& request, const std::vector<ChartRow>& rows) {
    ChartScore score;
    for (const ChartRow& row : rows) {
        if (row.best) {
            ++score.rowsWithin;
            const double ppm = std::fabs(LeadErrorPpm(ThreadOf(request, row.pitch), TrainRatio(*row.best)));
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

Chart MakeChart(const CliRequest& request) {
    const MultiplicityLookup multiplicity = [&](std::uint32_t tooth) {
        return request.multiplicity.at(tooth);
    };
    Chart chart;
    chart.rows = ChartRows(request, request.checkedTeeth, multiplicity);
    chart.score = Score(request, chart.rows);
    if (request.suggest == 0) {
        return chart;
    }
    // One more gear of each tooth count not on hand, one at a time.
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        std::vector<std::uint32_t> teeth = request.checkedTeeth;
        const auto at = std::lower_bound(teeth.begin(), teeth.end(), tooth);
        if (at != teeth.end() && *at == tooth) {
            continue;
        }
        teeth.insert(at, tooth);
        const MultiplicityLookup withOne = [&](std::uint32_t t) {
            return t == tooth ? std::uint16_t{1} : request.multiplicity.at(t);
        };
        const ChartScore score = Score(request, ChartRows(request, teeth, withOne));
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
