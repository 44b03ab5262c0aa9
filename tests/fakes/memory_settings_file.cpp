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
    const SettingsValue one{section, key, value};
    return writeTexts(std::span(&one, 1));
}

bool MemorySettingsFile::writeTexts(std::span<const SettingsValue> values) {
    std::string updated = content;
    bool all = true;
    for (const SettingsValue& v : values) {
        writes.push_back({std::string(v.section), std::string(v.key), std::string(v.value)});
        std::optional<std::string> next = ini::fileWithValue(updated, v.section, v.key, v.value);
        all = all && next.has_value();
        if (next) {
            updated = std::move(*next);
        }
    }
    if (failWrites || !all) {
        return false;
    }
    content = std::move(updated);
    return true;
}

std::optional<std::string> MemorySettingsFile::value(std::string_view section,
                                                     std::string_view key) const {
    return ini::findValueInFile(content, section, key);
}

}  // namespace nwmp::testing
