#pragma once

// nwmpset.ini on a POSIX file system, for platforms without the Windows profile functions.
//
// Reads open the file, take what they need and close it again. A write happens under an advisory
// lock on the file and replaces the file as a whole: the new text goes to a temporary file in the
// same folder, which is then renamed over the old one. Two programs writing at once therefore
// lose no key, a reader never sees half a file, and a writer that dies mid-write leaves the
// previous file whole. A link is written through: its target gets the new text and keeps its
// owner, group and permissions.
//
// What the file cannot give is never an error: a missing, unreadable or oversized file, or one
// that is not a regular file, reads as all defaults; a write that cannot be completed changes
// nothing and returns false. A file or folder without any write permission is left alone even
// when the process could override that, as a read-only file is on Windows, and so is a file (or a
// link's target) that belongs to another user than the one running the program: a program run
// by an administrator must not rewrite a file that a link points it to. Such files still read.
//
// A file that starts with a byte-order mark is read and written in its encoding (see
// ini_encoding.hpp); any other file holds UTF-8.

#include <filesystem>
#include <functional>

#include "common/settings_file.hpp"

namespace nwmp {

// The settings file beside the running program: the folder of the program's own file, links
// resolved, plus nwmpset.ini. Empty when the program's file cannot be found.
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

  private:
    PathSource pathSource_;
};

}  // namespace nwmp
