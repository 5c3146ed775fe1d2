// The command-line tool run in-process on arguments of any bytes, split at NUL
// bytes: no fault; exit code 0 with output on standard output only, or 2 with
// one line on standard error and nothing on standard output.
#include "cli_options.h"
#include "require.h"
#include "tool.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Runs that would list or chart too much for a fuzzer's pace: every train
// listed, wide tolerances, long charts, and gear suggestions for more than one
// pitch (they chart once per tooth count).
bool TooSlow(const CliParse& parse) {
    const SearchRequest& search = parse.request.search;
    const ChartRequest& chart = parse.request.chart;
    const bool wide = search.tolerance.amount > (search.tolerance.ppm ? 2000 : 0.01);
    const std::size_t rows = chart.pitches.size() * (chart.suggest != 0 ? kLastTooth - kFirstTooth + 1 : 1);
    return (parse.action == CliAction::Search && search.method == SearchMethod::EveryTrain &&
            (wide || search.limit == 0 || search.limit > 1000)) ||
           (parse.action == CliAction::Chart && (wide || rows > 160));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> args;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; size != 0;) {
        const std::size_t end = bytes.find('\0', start);
        args.push_back(bytes.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (TooSlow(ParseArguments(args))) {
        return -1;
    }
    std::string out;
    std::string err;
    const int code = RunTool(args, out, err);
    Require(code == 0 || code == 2, "the exit code is 0 or 2");
    Require(code != 0 || (err.empty() && !out.empty()), "a run prints on standard output only");
    Require(code != 2 ||
                (out.empty() && err.ends_with('\n') && std::count(err.begin(), err.end(), '\n') == 1),
            "a bad argument gives one line on standard error and nothing else");
    return 0;
}
