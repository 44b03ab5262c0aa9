#pragma once

// The settings tool's folder on Windows: the folder of its program file, backslash-joined.

#include "settings_tool/tool_folder.hpp"

namespace nwmp::windows_platform {

class WinToolFolder : public ToolFolder {
  public:
    std::string path() const override;
    std::string join(std::string_view folder, std::string_view name) const override;
    std::string_view programSuffix() const override { return ".exe"; }
};

}  // namespace nwmp::windows_platform
