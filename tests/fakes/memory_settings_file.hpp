#pragma once

// nwmpset.ini held in memory: the same reading and writing rules as the real file, over a string,
// with every write recorded in order.

#include <optional>
#include <string>
#include <vector>

#include "common/settings_file.hpp"

namespace nwmp::testing {

class MemorySettingsFile : public SettingsFile {
  public:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
        bool operator==(const Write&) const = default;
    };

    MemorySettingsFile() = default;
    explicit MemorySettingsFile(std::string fileText) : content(std::move(fileText)) {}

    // The whole file as it would be on disk; tests may set it directly.
    std::string content;
    // Every value written, in order, also those that failed.
    std::vector<Write> writes;
    // When set, writeText changes nothing and returns false, like a read-only file.
    bool failWrites = false;

    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultText, std::size_t bufferLength) const override;
    bool writeText(std::string_view section, std::string_view key, std::string_view value) override;
    bool writeTexts(std::span<const SettingsValue> values) override;

    // The raw stored value of a key, or nothing when the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
};

}  // namespace nwmp::testing
