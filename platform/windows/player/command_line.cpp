#include "platform/windows/player/command_line.hpp"

#include <windows.h>
// After windows.h:
#include <shlwapi.h>

namespace nwmp::windows_platform {

std::wstring argumentText(std::wstring_view commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        const std::size_t closing = commandLine.find(L'"', 1);
        at = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
    } else {
        at = std::min(commandLine.size(), commandLine.find_first_of(L" \t"));
    }
    at = std::min(commandLine.size(), commandLine.find_first_not_of(L" \t", at));
    return std::wstring(commandLine.substr(at));
}

std::wstring unquoted(std::wstring_view text) {
    std::wstring buffer(text);
    PathUnquoteSpacesW(buffer.data());
    buffer.resize(wcslen(buffer.c_str()));
    return buffer;
}

}  // namespace nwmp::windows_platform
