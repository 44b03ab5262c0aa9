#pragma once

// The settings location rule's questions on a POSIX file system.

#include "common/settings_location.hpp"

namespace nwmp {

// Answered by trying them on the file system. Writability is what the settings file's own write
// will meet: a temporary file made and removed in the file's folder, the file itself opened for
// writing; a file or folder without any write permission counts as read-only, as the write
// treats it.
class PosixSettingsPlaces final : public SettingsPlaces {
  public:
    bool exists(const std::filesystem::path& file) const override;
    bool canWrite(const std::filesystem::path& file) const override;
    bool prepare(const std::filesystem::path& file, const std::filesystem::path& from) override;
};

}  // namespace nwmp
