#include "platform/windows/settings_tool/win_tool_folder.hpp"

#include "platform/windows/shared/program_file.hpp"
#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {

std::string WinToolFolder::path() const {
    return narrow(programFolder());
}

std::string WinToolFolder::join(std::string_view folder, std::string_view name) const {
    std::string joined(folder);
    joined += '\\';
    joined += name;
    return joined;
}

}  // namespace nwmp::windows_platform
