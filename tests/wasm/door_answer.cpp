// The native door, for the tests that compare the WebAssembly module's answers
// with it and time it beside them: the answer to the request on standard input,
// or with RUNS the median time of asking it RUNS times.
//
//   door_answer [RUNS] < request.json
#include "door.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::string request{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    if (runs <= 0) {
        std::cout << Door(request);
        return 0;
    }
    std::vector<double> ms(static_cast<std::size_t>(runs));
    for (double& time : ms) {
        const auto start = std::chrono::steady_clock::now();
        Door(request);
        time = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
    std::printf("median %.2f ms of %d runs\n", ms[static_cast<std::size_t>(runs / 2)], runs);
    return 0;
}
