#include "tool.h"

#include "better_kind.h"
#include "chart.h"
#include "cli_options.h"
#include "cli_output.h"
#include "search.h"
#include "search_report.h"

#include <ctime>

namespace {

// Today's date where the tool runs, "2024-05-01".
std::string Today() {
    const std::time_t now = std::time(nullptr);
    char text[16] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
    return text;
}

} // namespace

int RunTool(std::span<const std::string_view> args, std::string& out, std::string& err) {
    const CliParse parse = ParseArguments(args);
    switch (parse.action) {
    case CliAction::BadArgument:
        err = parse.text + "\n";
        return 2;
    case CliAction::Help:
    case CliAction::Version:
        out = parse.text;
        return 0;
    case CliAction::Chart:
        out = FormatChart(parse.request, MakeChart(parse.request.chart), Today());
        return 0;
    case CliAction::Search:
        break;
    }
    const SearchAnswer answer = AnswerSearch(parse.request.search);
    out = FormatResult(parse.request, answer.result, answer.nearest, answer.betterKind);
    return 0;
}
