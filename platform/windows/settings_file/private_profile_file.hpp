#pragma once

// nwmpset.ini on Windows, with the same rules as on every other platform (common/ini_text.hpp,
// common/ini_encoding.hpp) and the same interface as the POSIX file.
//
// A file without a byte-order mark holds text in the system's ANSI code page, as the Windows
// profile functions keep it; a file with a mark is read and written in its encoding (UTF-16LE,
// as the Windows functions write it, UTF-16BE or UTF-8). The core sees UTF-8 either way.
//
// Reads open the file, take what they need and close it again. A write takes a lock on a lock
// file beside the settings file (nwmpset.ini.lock, hidden, left in place so that every writer
// locks the same file), writes the new text to a temporary file beside it and puts that in place
// of the old file in one step. Two programs writing at once therefore lose no key, a reader never
// sees half a file, and a writer that dies mid-write leaves the previous file whole.
//
// Nothing is ever stored garbled: a value the ANSI code page cannot hold is stored as the short
// (8.3) form of the path it names where the file system gives one that the code page holds;
// otherwise the write is refused and the old value stays. A missing, unreadable or oversized file,
// or a folder, reads as all defaults; a read-only file, a link (reparse point), an oversized file
// or a file that would not be written back as it was read is never written.

#include <filesystem>
#include <functional>

#include "common/settings_file.hpp"

namespace nwmp {

// The settings file beside the running program: the folder of the program's own file plus
// nwmpset.ini. Empty when the program's file cannot be found.
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
