#pragma once

// The settings file the tool edits: nwmpset.ini beside its program file, built afresh for each
// access.

#include <memory>

#include "common/settings_file.hpp"

namespace nwmp::windows_platform {

std::unique_ptr<SettingsFile> makeToolSettingsFile();

}  // namespace nwmp::windows_platform
