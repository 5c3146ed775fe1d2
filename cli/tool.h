// The whole tool run as a function: arguments in, output texts and exit code
// out, so that it can run in-process as well as from main().
#pragma once

#include <span>
#include <string>
#include <string_view>

// args: the arguments after the program name. out and err receive what goes to
// standard output and standard error. Returns the exit code: 0 when the search
// or chart ran, 2 for a bad argument (then err holds one line and out nothing).
int RunTool(std::span<const std::string_view> args, std::string& out, std::string& err);
