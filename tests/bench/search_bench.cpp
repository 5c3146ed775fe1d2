#include "chart.h"
#include "every_train.h"
#include "gear_search.h"
#include "search.h"
#include "stock.h"
#include "thread.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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

// The whole search over the full stock, every multiplicity 1.
void BM_FindGearTrains(benchmark::State& state) {
    const Stock stock = FullStock();
    const double target = static_cast<double>(state.range(0)) / 10000.0;
    for (auto _ : state) {
        SearchResult result = FindGearTrains(target, stock);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_FindGearTrains)->Arg(5000)->Arg(15000)->Arg(25400)->Arg(3937)->Unit(benchmark::kMicrosecond);

// The every-train search on the same stock and targets, tolerance 0.002, the best 100 kept.
void BM_every_train_search(benchmark::State& state) {
    const Stock stock = FullStock();
    const double target = static_cast<double>(state.range(0)) / 10000.0;
    for (auto _ : state) {
        SearchResult result = FindEveryTrain(target, stock, {});
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_every_train_search)
    ->Arg(5000)
    ->Arg(15000)
    ->Arg(25400)
    ->Arg(3937)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

// Six-gear trains on the same stock, as the window asks for them: the best 100
// within 0.002, without the counts. Each run builds the 551,300 triples anew.
void BM_six_gear_search(benchmark::State& state) {
    SearchRequest request;
    request.stock = FullStock();
    request.target = static_cast<double>(state.range(0)) / 10000.0;
    request.train = TrainKind::Six;
    request.count = false;
    for (auto _ : state) {
        SearchResult result = RunSearch(request);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_six_gear_search)
    ->Arg(5000)
    ->Arg(15000)
    ->Arg(25400)
    ->Arg(3937)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

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
