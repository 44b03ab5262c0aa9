#pragma once

// The shared settings file, nwmpset.ini, as both programs see it: three whole-key operations.
//
// Every operation builds the file's path afresh and touches one key; nothing is cached, so a
// program sees what another program wrote as soon as that write is complete.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nwmp {

inline constexpr std::string_view kSettingsFileName = "nwmpset.ini";

// One key's new value, for SettingsFile::writeTexts.
struct SettingsValue {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

class SettingsFile {
  public:
    virtual ~SettingsFile() = default;

    // The decimal number at the start of the value (leading blanks skipped, a leading minus
    // honoured; "0x", "0o" and "0b" numbers too). A value that does not start with a number
    // reads 0; an empty value, a missing key, section or file gives defaultValue. Digits beyond
    // the 32-bit range give the range's end.
    virtual std::int32_t readInt(std::string_view section, std::string_view key,
                                 std::int32_t defaultValue) const = 0;

    // The value without one pair of enclosing quotes (double or single), at most bufferLength - 1
    // bytes and never ending in the middle of a character. A missing key gives defaultText (cut
    // the same way).
    virtual std::string readText(std::string_view section, std::string_view key,
                                 std::string_view defaultText, std::size_t bufferLength) const = 0;

    // Replaces the key's value in place, or adds the key at the end of its section, or adds the
    // section at the end of the file, creating the file. Every other line stays as it was.
    // Returns false when nothing could be written, and also refuses (writing nothing) names or a
    // value that could not be read back as written, such as a value holding a line break, which
    // would otherwise add lines of its own to the file. Callers that follow the house rule of not
    // examining results may ignore it.
    virtual bool writeText(std::string_view section, std::string_view key,
                           std::string_view value) = 0;

    // Writes the values as writeText does, as one unit: all of them in one update of the file,
    // or none when any of them cannot be stored, so that values that belong together (a resume
    // record's file and position) never pair with another set's. Returns false when nothing was
    // written.
    virtual bool writeTexts(std::span<const SettingsValue> values) = 0;
};

}  // namespace nwmp
