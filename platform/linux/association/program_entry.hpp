#pragma once

// Our desktop entry for one program: the keys we own, set on top of whatever else the file holds.

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

}  // namespace nwmp::xdg
