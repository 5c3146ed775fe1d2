// FindEveryTrain against the brute force on small stocks: up to 8 tooth counts
// of 1 to 255 with 1 to 3 gears each; targets that are exact trains of the
// stock, near them, or any double; tolerances absolute or in ppm as the
// command-line tool takes them; limits; fit margins.
#include "every_train.h"
#include "brute_force_trains.h"
#include "require.h"
#include "search.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Stock stock;
    const std::uint32_t top = input.ConsumeBool() ? kLastTooth : kMaxSearchTooth;
    for (int n = input.ConsumeIntegralInRange(0, 8); n > 0; --n) {
        const auto tooth = input.ConsumeIntegralInRange<std::uint32_t>(1, top);
        stock.count[tooth] = static_cast<std::uint8_t>(input.ConsumeIntegralInRange<std::uint16_t>(1, 3));
    }
    const std::vector<std::uint32_t> teeth = stock.Teeth();

    const auto pick = [&] {
        return teeth.empty() ? 20.0 : teeth[input.ConsumeIntegralInRange<std::size_t>(0, teeth.size() - 1)];
    };
    double target =
        pick() * pick() / (pick() * pick()) * (1 + input.ConsumeFloatingPointInRange(-1e-3, 1e-3));
    if (input.ConsumeBool()) {
        target = std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
    }
    const bool ppm = input.ConsumeBool();
    const double amount = input.ConsumeFloatingPointInRange(0.0, ppm ? 100000.0 : 0.1);
    EveryTrainOptions options;
    options.tolerance = Tolerance{amount, ppm}.For(target);
    options.limit = input.ConsumeIntegralInRange<std::size_t>(0, 12);
    if (input.ConsumeBool()) {
        options.fitMargin = input.ConsumeIntegralInRange<std::uint32_t>(0, 200);
    }
    options.count = !input.ConsumeBool();
    Require(SameSearchResult(FindEveryTrain(target, stock, options),
                             brute_force::FindEveryTrain(target, stock, options)),
            "FindEveryTrain gives the brute force's result");
    return 0;
}
