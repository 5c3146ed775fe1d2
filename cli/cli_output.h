// The search's result and the thread chart as the command-line tool prints
// them: the window's texts for every train, and the thread and fit facts the
// request asks for, as aligned text, CSV or JSON.
#pragma once

#include "better_kind.h"
#include "chart.h"
#include "cli_options.h"
#include "search.h"
#include "train.h"

#include <optional>
#include <string>

// The whole output for request.format, ending in a newline. The solutions'
// texts follow the target and the request's option flags, as the window shows
// them. nearest: the trains nearest the target, when an every-train search
// found none (text and json show them, marked). betterKind: another kind of
// train that does better (better_kind.h), in a line after the trains and a
// json field.
std::string FormatResult(const CliRequest& request, const SearchResult& result,
                         const NearestTrains& nearest = {},
                         const std::optional<BetterKind>& betterKind = std::nullopt);

// The chart of request.chart in request.format, ending in a newline; the
// html page names the lathe and the date.
std::string FormatChart(const CliRequest& request, const Chart& chart, const std::string& date);
