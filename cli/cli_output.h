// The search's result as the command-line tool prints it: the window's texts
// for every solution, as aligned text, CSV or JSON.
#pragma once

#include "cli_options.h"
#include "gear_search.h"

#include <string>

// The whole output for request.format, ending in a newline. The solutions'
// texts follow request's ratio text and option flags, as the window shows them.
std::string FormatResult(const CliRequest& request, const SearchResult& result);
