// The window program's command line beyond its gear-set string: whether a
// start is bare, and the lathe file a start names.
#pragma once

#include <string>
#include <string_view>

// What follows the program's path (quoted, or up to the first space or tab)
// on a command line, without the white space around it: empty for a bare start.
std::string_view CommandLineArgument(std::string_view commandLine);

// The lathe file the argument names: the argument, without the quotation
// marks around it, when it ends in ".tandrel" in any case; otherwise empty. A
// path with spaces is taken whole, quoted or not.
std::string LatheFileArgument(std::string_view commandLine);
