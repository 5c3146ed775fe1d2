// The command-line tool's arguments, declared once for CLI11: the target (a
// ratio or a thread), the gear stock, the search and its options, the display
// order of the gears, the output format, and the chart subcommand.
#pragma once

#include "chart.h"
#include "search.h"
#include "thread.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class OutputFormat { Text, Csv, Json, Html }; // Html: the chart only

struct CliRequest {
    SearchRequest search;         // the target is RATIO's, or the thread's with --pitch
    std::optional<Thread> thread; // --pitch, on --leadscrew with --starts and --fixed
    ChartRequest chart;           // chart: on the same lathe, the options over a lathe file's values
    std::string latheName;        // the name of the lathe file --lathe reads, for the chart's page
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
    OutputFormat format = OutputFormat::Text;
};

enum class CliAction { Search, Chart, Help, Version, BadArgument };

struct CliParse {
    CliAction action = CliAction::Search;
    CliRequest request; // for Search and Chart
    std::string text;   // for Help and Version: the text to print, ending in a newline;
                        // for BadArgument: one line that names the argument, no newline
};

// args: the arguments after the program name.
CliParse ParseArguments(std::span<const std::string_view> args);
