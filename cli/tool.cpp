#include "tool.h"

#include "chart.h"
#include "cli_options.h"
#include "cli_output.h"
#include "search.h"

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
        out = FormatChart(parse.request.chart, MakeChart(parse.request.chart), parse.request.format);
        return 0;
    case CliAction::Search:
        break;
    }
    out = FormatResult(parse.request, RunSearch(parse.request.search));
    return 0;
}
