#include "tool.h"

#include "chart.h"
#include "cli_options.h"
#include "cli_output.h"
#include "every_train.h"
#include "fit.h"
#include "gear_search.h"
#include "version.h"

namespace {

std::string Search(const CliRequest& request) {
    const double target = TargetOf(request);
    const MultiplicityLookup multiplicity = [&](std::uint32_t tooth) {
        return request.multiplicity.at(tooth);
    };
    if (request.every) {
        EveryTrainResult every =
            FindEveryTrain(target, request.checkedTeeth, multiplicity,
                           {request.tolerance.For(target), request.limit, request.fitMargin});
        const SearchResult result{every.outcome, static_cast<unsigned>(every.candidateCount),
                                  std::move(every.solutions)};
        return FormatResult(request, result, every.trainCount);
    }
    SearchResult result = FindGearTrains(target, request.checkedTeeth, multiplicity);
    if (request.fitMargin) {
        KeepFittingTrains(result.solutions, *request.fitMargin);
    }
    return FormatResult(request, result);
}

} // namespace

int RunTool(std::span<const std::string_view> args, std::string& out, std::string& err) {
    const CliParse parse = ParseArguments(args);
    switch (parse.action) {
    case CliAction::BadArgument:
        err = parse.error + "\n";
        return 2;
    case CliAction::Help:
        out = UsageText();
        return 0;
    case CliAction::Version:
        out = "tandrel-cli " TANDREL_VERSION "\n";
        return 0;
    case CliAction::Chart:
        out = FormatChart(parse.request, MakeChart(parse.request));
        return 0;
    case CliAction::Search:
        break;
    }
    out = Search(parse.request);
    return 0;
}
