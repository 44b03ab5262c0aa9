#pragma once

// Our desktop entry for one program: the keys we own, set on top of whatever else the file holds.
// And the entries the package installs, which the association names instead of writing its own.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/association/key_file_text.hpp"

namespace nwmp::xdg {

inline constexpr std::string_view kEntryGroup = "Desktop Entry";

// Whether the entry carries our extension list, that is, whether this service wrote it.
bool isOwnEntry(const KeyFileText& entry);

std::vector<std::string> entryMimeTypes(const KeyFileText& entry);
std::vector<std::string> entryExtensions(const KeyFileText& entry);

// Sets the keys that start `program` with one file, hidden from menus, without a terminal;
// the icon only when `iconPath` names an existing file.
void setProgramKeys(KeyFileText& entry, std::string_view program, std::string_view iconPath);

// Adds the extension and its types to the entry's lists.
void addExtension(KeyFileText& entry, std::string_view extension,
                  const std::vector<std::string>& mimeTypes);

// Takes the extension off the entry's list and the given types off its MimeType list.
void dropExtension(KeyFileText& entry, std::string_view extension,
                   const std::vector<std::string>& releasedTypes);

// The menu entries the package installs, by the file name of the program each starts.
struct InstalledEntry {
    std::string_view program;
    std::string_view desktopId;
};

inline constexpr std::array<InstalledEntry, 5> kInstalledEntries = {{
    {"NorvalentWMP3TE", "norvalent-wmp3-standard.desktop"},
    {"NorvalentWMP3TEPemra", "norvalent-wmp3-pemra.desktop"},
    {"NorvalentWMP3TEKOVEX", "norvalent-wmp3-kovex.desktop"},
    {"NorvalentWMP3TEDask", "norvalent-wmp3-dask.desktop"},
    {"NorvalentWMP3set", "norvalent-wmp3-settings.desktop"},
}};

// The desktop id of the installed entry, in the system's data folders (XDG_DATA_DIRS), whose
// command starts this very program file (links resolved, a bare command found on PATH). Nothing
// for a program that no installed entry starts, such as a copy run from another folder.
std::optional<std::string> installedEntryFor(std::string_view program);

}  // namespace nwmp::xdg
