#pragma once

// nwmpset.ini on a POSIX file system wherever the location rule puts it: beside the program
// where a write there succeeds, otherwise the user's own file under $XDG_CONFIG_HOME.

#include <functional>

#include "common/private_profile_file.hpp"
#include "common/settings_location.hpp"

namespace nwmp {

// The rule's questions answered by trying them on the file system. Writability is what the
// settings file's own write will meet: a temporary file made and removed in the file's folder,
// the file itself opened for writing; a file or folder without any write permission counts as
// read-only, as the write treats it.
class PosixSettingsPlaces final : public SettingsPlaces {
  public:
    bool exists(const std::filesystem::path& file) const override;
    bool canWrite(const std::filesystem::path& file) const override;
    bool prepare(const std::filesystem::path& file, const std::filesystem::path& from) override;
};

// The settings file both programs use. The candidates are asked again for every access, so each
// access follows the rule as the file system stands at that moment.
class LocatedSettingsFile final : public SettingsFile {
  public:
    using CandidateSource = std::function<SettingsCandidates()>;

    // The file beside the running program and the user's own file named by the environment.
    LocatedSettingsFile();
    explicit LocatedSettingsFile(CandidateSource candidates);
    LocatedSettingsFile(const LocatedSettingsFile&) = delete;
    LocatedSettingsFile& operator=(const LocatedSettingsFile&) = delete;

    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultText, std::size_t bufferLength) const override;
    bool writeText(std::string_view section, std::string_view key, std::string_view value) override;
    bool writeTexts(std::span<const SettingsValue> values) override;

  private:
    CandidateSource candidates_;
    PosixSettingsPlaces places_;
    PrivateProfileFile reads_;
    PrivateProfileFile writes_;
};

// The candidates of the running program: beside its own file, and the freedesktop.org per-user
// file from XDG_CONFIG_HOME or HOME.
SettingsCandidates runningProgramSettingsCandidates();

}  // namespace nwmp
