// The command-line tool's arguments: the target ratio, the gear stock, the
// display order of the gears and the output format.
#pragma once

#include "gear_set.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class OutputFormat { Text, Csv, Json };

struct CliRequest {
    std::string ratioText;                   // as typed: digits with at most one '.'
    std::vector<std::uint32_t> checkedTeeth; // ascending, each once
    MultiplicityTable multiplicity = AllMultiplicitiesOne();
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
    OutputFormat format = OutputFormat::Text;
};

enum class CliAction { Search, Help, BadArgument };

struct CliParse {
    CliAction action = CliAction::Search;
    CliRequest request; // meaningful for Search
    std::string error;  // for BadArgument: one line that names the argument, no newline
};

// args: the arguments after the program name.
CliParse ParseArguments(std::span<const std::string_view> args);

// The --help text, ending in a newline.
std::string_view UsageText();
