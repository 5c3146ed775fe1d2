// FindGearTrains against the literal search on small stocks: up to 16 tooth
// counts with 1 to 3 gears each; targets that are exact trains of the stock
// (the bisection's equality branch), at the tolerance's edge, near them, or any
// double at all.
#include "gear_search.h"
#include "literal_gear_search.h"
#include "require.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Stock stock;
    for (int n = input.ConsumeIntegralInRange(0, 16); n > 0; --n) {
        const auto tooth = input.ConsumeIntegralInRange<std::uint32_t>(kFirstTooth, kLastTooth);
        stock.count[tooth] = static_cast<std::uint8_t>(input.ConsumeIntegralInRange<std::uint16_t>(1, 3));
    }
    const std::vector<std::uint32_t> teeth = stock.Teeth();

    const auto pick = [&] {
        return teeth.empty() ? 20.0 : teeth[input.ConsumeIntegralInRange<std::size_t>(0, teeth.size() - 1)];
    };
    const double train = pick() / pick() * (pick() / pick());
    const double offsets[] = {0.0, 0.002, -0.002, input.ConsumeFloatingPointInRange(-0.004, 0.004)};
    double target = train + offsets[input.ConsumeIntegralInRange(0, 3)];
    if (input.ConsumeBool()) {
        target = std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
    }

    const SearchResult expected = literal::Find(target, stock);
    const SearchResult actual = FindGearTrains(target, stock);
    Require(actual.outcome == expected.outcome && actual.candidateCount == expected.candidateCount &&
                std::equal(actual.solutions.begin(), actual.solutions.end(), expected.solutions.begin(),
                           expected.solutions.end(), SameRecord),
            "FindGearTrains gives the literal search's result");
    return 0;
}
