// The search's result and the thread chart as the command-line tool prints
// them: the window's texts for every train, and the thread and fit facts the
// request asks for, as aligned text, CSV or JSON.
#pragma once

#include "gear_search.h"
#include "chart.h"
#include "cli_options.h"

#include <cstdint>
#include <string>

// The whole output for request.format, ending in a newline. The solutions'
// texts follow the target and the request's option flags, as the window shows
// them. trainCount: the every-train search's count of all trains (with --every).
std::string FormatResult(const CliRequest& request, const SearchResult& result, std::uint64_t trainCount = 0);

// The chart for request.format, ending in a newline.
std::string FormatChart(const CliRequest& request, const Chart& chart);
