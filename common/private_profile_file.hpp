#pragma once

// nwmpset.ini on disk: one interface, implemented over POSIX files here (private_profile_file.cpp)
// and over Win32 files in platform/windows/settings_file/, both with the rules of ini_text.hpp
// and ini_encoding.hpp.
//
// On both, reads open the file, take what they need and close it again, and a write happens
// under a lock and replaces the file as a whole through a temporary file beside it. Two programs
// writing at once therefore lose no key, a reader never sees half a file, and a writer that dies
// mid-write leaves the previous file whole. What the file cannot give is never an error: a
// missing, unreadable or oversized file reads as all defaults; a write that cannot be completed
// changes nothing and returns false.
//
// On POSIX file systems a link is written through: its target gets the new text and keeps its
// owner, group and permissions. A file or folder without any write permission is left alone even
// when the process could override that, as a read-only file is on Windows, and so is a file (or a
// link's target) that belongs to another user than the one running the program: a program run
// by an administrator must not rewrite a file that a link points it to. Such files still read. A
// file that starts with a byte-order mark is read and written in its encoding; any other file
// holds UTF-8.

#include <filesystem>
#include <functional>

#include "common/settings_file.hpp"

namespace nwmp {

// The settings file beside the running program: the folder of the program's own file (links
// resolved on POSIX file systems) plus nwmpset.ini. Empty when the program's file cannot be found.
std::filesystem::path settingsPathBesideProgram();

class PrivateProfileFile : public SettingsFile {
  public:
    using PathSource = std::function<std::filesystem::path()>;

    // The file beside the running program.
    PrivateProfileFile();
    // The file at the path pathSource gives; it is asked again for every access.
    explicit PrivateProfileFile(PathSource pathSource);

    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultText, std::size_t bufferLength) const override;
    bool writeText(std::string_view section, std::string_view key, std::string_view value) override;
    // All values under one lock and in one replacement of the file.
    bool writeTexts(std::span<const SettingsValue> values) override;

  private:
    PathSource pathSource_;
};

}  // namespace nwmp
