#include "common/located_settings_file.hpp"

namespace nwmp {

LocatedSettingsFile::LocatedSettingsFile()
    : LocatedSettingsFile(runningProgramSettingsCandidates) {}

LocatedSettingsFile::LocatedSettingsFile(CandidateSource candidates)
    : LocatedSettingsFile(std::move(candidates), fileSystemSettingsPlaces()) {}

LocatedSettingsFile::LocatedSettingsFile(CandidateSource candidates,
                                         std::unique_ptr<SettingsPlaces> places)
    : candidates_(std::move(candidates)),
      places_(std::move(places)),
      reads_([this] { return settingsFileToRead(candidates_(), *places_); }),
      writes_([this] { return settingsFileToWrite(candidates_(), *places_); }) {}

std::int32_t LocatedSettingsFile::readInt(std::string_view section, std::string_view key,
                                          std::int32_t defaultValue) const {
    return reads_.readInt(section, key, defaultValue);
}

std::string LocatedSettingsFile::readText(std::string_view section, std::string_view key,
                                          std::string_view defaultText,
                                          std::size_t bufferLength) const {
    return reads_.readText(section, key, defaultText, bufferLength);
}

bool LocatedSettingsFile::writeText(std::string_view section, std::string_view key,
                                    std::string_view value) {
    return writes_.writeText(section, key, value);
}

bool LocatedSettingsFile::writeTexts(std::span<const SettingsValue> values) {
    return writes_.writeTexts(values);
}

}  // namespace nwmp
