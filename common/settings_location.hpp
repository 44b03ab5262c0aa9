#pragma once

// Where nwmpset.ini lives. The program's own folder comes first, so that programs kept together
// in one folder share one file. An installed program's folder belongs to the administrator,
// though, and the user may not put a file there; then every program of the user reads and
// writes one file of the user's own instead. Both programs decide by this one rule, so they
// still meet in the same file.
//
// Only permissions decide: a folder that is merely full stays the place (its write fails and the
// old file stays), or the settings would move away and come back lost once space returns. A file
// beside the program that the user may not write, in a folder the user may write, is fixed
// settings (a kiosk's, say): it is read, and saves fail quietly; no copy of it is made.
//
// The rule knows no platform: the platform names the two candidate files and answers, without
// changing anything, what the user may do there.

#include <filesystem>
#include <string>
#include <string_view>

namespace nwmp {

struct SettingsCandidates {
    std::filesystem::path besideProgram;  // the program's folder and nwmpset.ini; empty if unknown
    std::filesystem::path perUser;        // the user's own file; empty where the user has none
};

// The file the next access uses.
struct SettingsChoice {
    std::filesystem::path readFrom;
    std::filesystem::path writeTo;
    // writeTo does not exist yet and begins as a copy of readFrom (settings an administrator put
    // beside the program), so that the first write keeps them.
    bool startsFromRead = false;
};

// What the rule asks of the file system.
class SettingsPlaces {
  public:
    virtual ~SettingsPlaces() = default;

    virtual bool exists(const std::filesystem::path& file) const = 0;

    // Whether the user may put a settings file in this file's folder: permissions only, as the
    // system grants them to the user (read-only file systems included), never by making a file.
    virtual bool folderTakesSettings(const std::filesystem::path& file) const = 0;

    // Makes the file's folder where it is missing and, when `from` is not empty and `file` does
    // not exist yet, puts a copy of `from` there in one step (a copy made meanwhile by another
    // program is kept). True when a write to `file` may follow.
    virtual bool prepare(const std::filesystem::path& file, const std::filesystem::path& from) = 0;
};

SettingsChoice chooseSettingsFile(const SettingsCandidates& candidates,
                                  const SettingsPlaces& places);

// The file to read now.
std::filesystem::path settingsFileToRead(const SettingsCandidates& candidates,
                                         const SettingsPlaces& places);

// The file to write now, prepared for the write; empty when no write can succeed.
std::filesystem::path settingsFileToWrite(const SettingsCandidates& candidates,
                                          SettingsPlaces& places);

// The per-user file on a freedesktop.org system: $XDG_CONFIG_HOME/norvalent-wmp3/nwmpset.ini, or
// ~/.config/… where that variable is unset, empty or relative. Empty without either.
std::filesystem::path freedesktopSettingsFile(std::string_view xdgConfigHome,
                                              std::string_view home);

// The per-user file on Windows: %APPDATA%\Norvalent WMP 3\nwmpset.ini. Empty without APPDATA.
std::string windowsSettingsFile(std::string_view appData);

}  // namespace nwmp
