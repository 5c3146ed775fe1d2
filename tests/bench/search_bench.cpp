#include "banjo.h"
#include "chart.h"
#include "every_train.h"
#include "gear_search.h"
#include "search.h"
#include "stock.h"
#include "thread.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

Stock FullStock() {
    Stock stock;
    for (std::uint32_t t = kFirstTooth; t <= kLastTooth; ++t) {
        stock.count[t] = 1;
    }
    return stock;
}

// The targets every search is timed at: 1.0 is where the most trains lie within tolerance.
const std::vector<std::int64_t> kTargets = {5000, 15000, 25400, 3937, 10000};

// The whole search over the full stock, every multiplicity 1.
void BM_FindGearTrains(benchmark::State& state) {
    const Stock stock = FullStock();
    const double target = static_cast<double>(state.range(0)) / 10000.0;
    for (auto _ : state) {
        SearchResult result = FindGearTrains(target, stock);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_FindGearTrains)->ArgsProduct({kTargets})->Unit(benchmark::kMicrosecond);

// Two stocks of 150 gears that differ in one multiplicity: searching them by
// turns (range 1 is 1) builds the search's table every time, as a process's
// first search does; otherwise it is kept from the last search (range 1 is 0).
const Stock& BenchStock(benchmark::State& state, std::uint64_t round) {
    static const Stock one = FullStock();
    static const Stock other = [] {
        Stock stock = FullStock();
        stock.count[kLastTooth] = 2;
        return stock;
    }();
    return state.range(1) == 1 && round % 2 == 1 ? other : one;
}

// The every-train search on the same targets, tolerance 0.002, the best 100
// kept, counted.
void BM_every_train_search(benchmark::State& state) {
    const double target = static_cast<double>(state.range(0)) / 10000.0;
    std::uint64_t round = 0;
    for (auto _ : state) {
        SearchResult result = FindEveryTrain(target, BenchStock(state, round++), {});
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_every_train_search)->ArgsProduct({kTargets, {0, 1}})->Unit(benchmark::kMicrosecond);

// Six-gear trains on the same stock, as the window asks for them: the best 100
// within 0.002, without the counts; the 551,300 triples' products kept or
// built anew (range 1).
void BM_six_gear_search(benchmark::State& state) {
    SearchRequest request;
    request.target = static_cast<double>(state.range(0)) / 10000.0;
    request.train = TrainKind::Six;
    request.count = false;
    std::uint64_t round = 0;
    for (auto _ : state) {
        request.stock = BenchStock(state, round++);
        SearchResult result = RunSearch(request);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_six_gear_search)->ArgsProduct({kTargets, {0, 1}})->Unit(benchmark::kMillisecond);

// The imperial example lathe's banjo (docs/lathes/imperial.tandrel): 16 DP
// gears, the leadscrew 150 mm from the spindle, the slot 45 to 125 mm, at most
// 80 teeth on the leadscrew.
Banjo ImperialBanjo() {
    return {25.4 / 16, 150, 45, 125, 3, std::nullopt, 80};
}

// The searches as the window runs them on every keystroke, over the full
// stock without the counts: four gears (every train), six gears, or every kind
// (range 0: 4, 6, any), with the fit by the margin of 15 teeth or on the
// imperial banjo (range 1: 0, 1), for the target range(2) / 10000.
void BM_window_search(benchmark::State& state) {
    SearchRequest request;
    request.stock = FullStock();
    request.method = SearchMethod::EveryTrain;
    request.train = std::array{TrainKind::Compound, TrainKind::Six, TrainKind::Any}[state.range(0)];
    request.fitMargin = 15;
    if (state.range(1) == 1) {
        request.banjo = ImperialBanjo();
    }
    request.target = static_cast<double>(state.range(2)) / 10000.0;
    request.count = false;
    for (auto _ : state) {
        SearchResult result = RunSearch(request);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_window_search)->ArgsProduct({{0, 1, 2}, {0, 1}, kTargets})->Unit(benchmark::kMillisecond);

// The yardstick: only building the 22,500 pairs and stably sorting them by quotient.
void BM_BuildAndStableSortPairs(benchmark::State& state) {
    const std::vector<std::uint32_t> teeth = FullStock().Teeth();
    for (auto _ : state) {
        std::vector<GearPair> table;
        table.reserve(teeth.size() * teeth.size());
        for (std::uint32_t driver : teeth) {
            for (std::uint32_t driven : teeth) {
                table.push_back({static_cast<double>(driver) / static_cast<double>(driven), driver, driven});
            }
        }
        std::stable_sort(table.begin(), table.end(),
                         [](const GearPair& a, const GearPair& b) { return a.quotient < b.quotient; });
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildAndStableSortPairs)->Unit(benchmark::kMicrosecond);

// A thread chart with the three gears to buy next over the default stock (20
// to 99) and the thread tolerance, as `chart --suggest 3` makes it: the metric
// pitches on an 8 TPI leadscrew (0) and the inch threads on a 3 mm one (1).
// The tool's whole run should stay well under 0.5 s.
void BM_ChartSuggestingThreeGears(benchmark::State& state) {
    ChartRequest request;
    const bool metric = state.range(0) == 0;
    request.lathe.leadscrew = metric ? Pitch{8, PitchUnit::Tpi} : Pitch{3, PitchUnit::Mm};
    request.pitches = metric ? MetricPitches() : ImperialPitches();
    request.search.stock = DefaultStock();
    request.search.tolerance = kThreadTolerance;
    request.suggest = 3;
    for (auto _ : state) {
        Chart chart = MakeChart(request);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(BM_ChartSuggestingThreeGears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
