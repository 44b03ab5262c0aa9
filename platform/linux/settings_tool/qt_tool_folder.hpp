#pragma once

// The folder of the running settings tool, as Qt finds it (links resolved).

#include "settings_tool/tool_folder.hpp"

namespace nwmp::linux_platform {

class QtToolFolder final : public ToolFolder {
  public:
    std::string path() const override;
    std::string join(std::string_view folder, std::string_view name) const override;
    std::string_view programSuffix() const override { return {}; }
};

}  // namespace nwmp::linux_platform
