#include "platform/windows/association/open_command.hpp"

namespace nwmp::windows_platform::association {

namespace {

constexpr std::string_view kFilePlaceholder = " %1";

}  // namespace

std::string programPathOf(std::string_view openCommand) {
    if (openCommand.ends_with(kFilePlaceholder)) {
        openCommand.remove_suffix(kFilePlaceholder.size());
    }
    return std::string(openCommand);
}

// Built by appending into one string made to size: GCC 12 at -O3 takes a chain of operator+ on
// temporaries for overlapping copies and stops the build (-Werror=restrict).
std::string registryOpenCommand(std::string_view programPath) {
    const bool quoted =
        programPath.size() >= 2 && programPath.front() == '"' && programPath.back() == '"';
    const bool blank = programPath.find_first_of(" \t") != std::string_view::npos;
    const bool quote = blank && !quoted;
    std::string command;
    command.reserve(programPath.size() + 2 + kFilePlaceholder.size());
    if (quote) {
        command += '"';
    }
    command += programPath;
    if (quote) {
        command += '"';
    }
    command += kFilePlaceholder;
    return command;
}

}  // namespace nwmp::windows_platform::association
