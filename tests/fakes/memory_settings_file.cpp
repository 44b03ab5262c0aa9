#include "memory_settings_file.hpp"

#include "common/ini_text.hpp"

namespace nwmp::testing {

std::int32_t MemorySettingsFile::readInt(std::string_view section, std::string_view key,
                                         std::int32_t defaultValue) const {
    return ini::intValue(ini::findValueInFile(content, section, key), defaultValue);
}

std::string MemorySettingsFile::readText(std::string_view section, std::string_view key,
                                         std::string_view defaultText,
                                         std::size_t bufferLength) const {
    return ini::textValue(ini::findValueInFile(content, section, key), defaultText, bufferLength);
}

bool MemorySettingsFile::writeText(std::string_view section, std::string_view key,
                                   std::string_view value) {
    writes.push_back({std::string(section), std::string(key), std::string(value)});
    if (failWrites) {
        return false;
    }
    std::optional<std::string> updated = ini::fileWithValue(content, section, key, value);
    if (!updated) {
        return false;
    }
    content = std::move(*updated);
    return true;
}

std::optional<std::string> MemorySettingsFile::value(std::string_view section,
                                                     std::string_view key) const {
    return ini::findValueInFile(content, section, key);
}

}  // namespace nwmp::testing
