// The core at work wherever it is built, WebAssembly included: the every-train
// search over all 150 gears (16 to 165, one of each) for the targets the
// benchmarks use. For each target it prints the target, then one line per
// train with the texts the window shows: the four gears, the achieved ratio
// and the error.
//
//   wasm_smoke        the trains
//   wasm_smoke RUNS   times each target's search RUNS times instead, and
//                     prints the median in ms
#include "number_text.h"
#include "search.h"
#include "solution_texts.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* kTargets[] = {"0.5", "1.5", "2.54", "0.3937", "1"};

SearchRequest EveryTrainOnAllGears(const char* target) {
    SearchRequest request;
    request.target = RatioFromText(target);
    for (std::uint32_t t = kFirstTooth; t <= kLastTooth; ++t) {
        request.stock.count[t] = 1;
    }
    request.method = SearchMethod::EveryTrain;
    return request;
}

void PrintTrains(const char* target) {
    std::printf("%s\n", target);
    for (const SolutionRecord& record : RunSearch(EveryTrainOnAllGears(target)).solutions) {
        const SolutionTexts texts = MakeSolutionTexts(record, target, true, true);
        std::printf("%s %s %s %s %s %s\n", texts.firstDriver.c_str(), texts.firstDriven.c_str(),
                    texts.secondDriver.c_str(), texts.secondDriven.c_str(), texts.achievedRatio.c_str(),
                    texts.error.c_str());
    }
}

void PrintMedianTime(const char* target, std::uint32_t runs) {
    const SearchRequest request = EveryTrainOnAllGears(target);
    std::vector<double> ms(runs);
    for (double& time : ms) {
        const auto start = std::chrono::steady_clock::now();
        RunSearch(request);
        time = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
    std::printf("%-7s median %.2f ms of %u runs\n", target, ms[runs / 2], runs);
}

} // namespace

int main(int argc, char** argv) {
    std::uint32_t runs = 0;
    if (argc > 2 || (argc == 2 && !ReadWholeNumber(argv[1], 1, 100000, runs).empty())) {
        std::fprintf(stderr, "usage: wasm_smoke [RUNS from 1 to 100000]\n");
        return 2;
    }
    for (const char* target : kTargets) {
        if (runs == 0) {
            PrintTrains(target);
        } else {
            PrintMedianTime(target, runs);
        }
    }
    return 0;
}
