#include "every_train.h"
#include "gear_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint32_t> FullStock() {
    std::vector<std::uint32_t> teeth;
    for (std::uint32_t t = 16; t <= 165; ++t) {
        teeth.push_back(t);
    }
    return teeth;
}

// The whole search over the full stock, every multiplicity 1.
void BM_FindGearTrains(benchmark::State& state) {
    const std::vector<std::uint32_t> teeth = FullStock();
    const double target = static_cast<double>(state.range(0)) / 10000.0;
    const MultiplicityLookup multiplicity = [](std::uint32_t) -> std::uint16_t { return 1; };
    for (auto _ : state) {
        SearchResult result = FindGearTrains(target, teeth, multiplicity);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_FindGearTrains)->Arg(5000)->Arg(15000)->Arg(25400)->Arg(3937)->Unit(benchmark::kMicrosecond);

// The every-train search on the same stock and targets, tolerance 0.002, the best 100 kept.
void BM_every_train_search(benchmark::State& state) {
    const std::vector<std::uint32_t> teeth = FullStock();
    const double target = static_cast<double>(state.range(0)) / 10000.0;
    const MultiplicityLookup multiplicity = [](std::uint32_t) -> std::uint16_t { return 1; };
    for (auto _ : state) {
        EveryTrainResult result = FindEveryTrain(target, teeth, multiplicity, {});
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_every_train_search)->Arg(5000)->Arg(15000)->Arg(25400)->Arg(3937)->Unit(benchmark::kMicrosecond);

// The yardstick: only building the 22,500 pairs and stably sorting them by quotient.
void BM_BuildAndStableSortPairs(benchmark::State& state) {
    const std::vector<std::uint32_t> teeth = FullStock();
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

} // namespace
