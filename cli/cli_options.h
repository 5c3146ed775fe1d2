// The command-line tool's arguments: the target (a ratio or a thread), the gear
// stock, the search and its options, the display order of the gears, the
// output format, and the chart subcommand's pitch list.
#pragma once

#include "every_train.h"
#include "thread.h"
#include "gear_set.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class OutputFormat { Text, Csv, Json };

struct CliRequest {
    std::string ratioText;                   // as typed: digits with at most one '.'; empty with --pitch
    std::optional<Pitch> pitch;              // --pitch: the target is a thread's
    std::uint32_t starts = 1;                // --starts
    Pitch leadscrew{1, PitchUnit::Mm};       // --leadscrew, given with --pitch and for a chart
    double fixed = 1;                        // --fixed
    std::vector<std::uint32_t> checkedTeeth; // ascending, each once
    MultiplicityTable multiplicity = AllMultiplicitiesOne();
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
    OutputFormat format = OutputFormat::Text;
    bool every = false;                     // --every: the every-train search instead of the bisection
    Tolerance tolerance;                    // --tolerance, every-train search and chart
    std::size_t limit = 100;                // --limit, every-train search
    std::optional<std::uint32_t> fitMargin; // --fit
    std::vector<Pitch> chartPitches;        // chart: --metric, --imperial or --pitches
    std::uint32_t suggest = 0;              // chart: --suggest
};

// The thread of `pitch` on the request's leadscrew and fixed ratio, with its starts.
Thread ThreadOf(const CliRequest& request, const Pitch& pitch);

// The target ratio: the thread's with --pitch, otherwise RATIO's.
double TargetOf(const CliRequest& request);

enum class CliAction { Search, Chart, Help, Version, BadArgument };

struct CliParse {
    CliAction action = CliAction::Search;
    CliRequest request; // meaningful for Search and Chart
    std::string error;  // for BadArgument: one line that names the argument, no newline
};

// args: the arguments after the program name.
CliParse ParseArguments(std::span<const std::string_view> args);

// The --help text, ending in a newline.
std::string_view UsageText();
