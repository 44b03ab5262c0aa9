#pragma once

// nwmpset.ini wherever the location rule puts it: beside the program where a write there
// succeeds, otherwise the user's own file. The rule and the file's rules know no platform; the
// platform answers the rule's questions (fileSystemSettingsPlaces) and names the candidates
// (runningProgramSettingsCandidates).

#include <functional>
#include <memory>

#include "common/private_profile_file.hpp"
#include "common/settings_location.hpp"

namespace nwmp {

// The settings file both programs use. The candidates are asked again for every access, so each
// access follows the rule as the file system stands at that moment.
class LocatedSettingsFile final : public SettingsFile {
  public:
    using CandidateSource = std::function<SettingsCandidates()>;

    // The file beside the running program and the user's own file named by the environment.
    LocatedSettingsFile();
    explicit LocatedSettingsFile(CandidateSource candidates);
    LocatedSettingsFile(CandidateSource candidates, std::unique_ptr<SettingsPlaces> places);
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
    std::unique_ptr<SettingsPlaces> places_;
    PrivateProfileFile reads_;
    PrivateProfileFile writes_;
};

// Defined by each platform's settings-file code:
// the rule's questions answered by trying them on this platform's file system;
std::unique_ptr<SettingsPlaces> fileSystemSettingsPlaces();
// the running program's candidates: beside its own file, and the platform's per-user file.
SettingsCandidates runningProgramSettingsCandidates();

}  // namespace nwmp
