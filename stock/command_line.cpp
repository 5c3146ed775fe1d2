#include "command_line.h"

#include "lathe.h"

#include <algorithm>

namespace {

constexpr std::string_view kWhiteSpace = " \t";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

} // namespace

std::string_view CommandLineArgument(std::string_view commandLine) {
    const std::size_t pathEnd =
        commandLine.starts_with('"') ? commandLine.find('"', 1) : commandLine.find_first_of(kWhiteSpace);
    return pathEnd == std::string_view::npos ? std::string_view{} : Trimmed(commandLine.substr(pathEnd + 1));
}

std::string LatheFileArgument(std::string_view commandLine) {
    std::string_view argument = CommandLineArgument(commandLine);
    if (argument.size() >= 2 && argument.starts_with('"') && argument.ends_with('"')) {
        argument = argument.substr(1, argument.size() - 2);
    }
    const bool named =
        argument.size() > kLatheExtension.size() &&
        std::ranges::equal(argument.substr(argument.size() - kLatheExtension.size()), kLatheExtension,
                           [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
    return named ? std::string(argument) : std::string();
}
