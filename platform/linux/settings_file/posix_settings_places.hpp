#pragma once

// The settings location rule's questions on a POSIX file system.

#include "common/settings_location.hpp"

namespace nwmp {

// Answered from the file system's permissions for the user running the program, as the settings
// file's own write meets them (posix_write_access.hpp); nothing is made to find out.
class PosixSettingsPlaces final : public SettingsPlaces {
  public:
    bool exists(const std::filesystem::path& file) const override;
    bool folderTakesSettings(const std::filesystem::path& file) const override;
    bool prepare(const std::filesystem::path& file, const std::filesystem::path& from) override;
};

}  // namespace nwmp
