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

std::string registryOpenCommand(std::string_view programPath) {
    const bool quoted =
        programPath.size() >= 2 && programPath.front() == '"' && programPath.back() == '"';
    const bool blank = programPath.find_first_of(" \t") != std::string_view::npos;
    if (blank && !quoted) {
        return "\"" + std::string(programPath) + "\"" + std::string(kFilePlaceholder);
    }
    return std::string(programPath) + std::string(kFilePlaceholder);
}

}  // namespace nwmp::windows_platform::association
