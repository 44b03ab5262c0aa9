#pragma once

// The user's choices of opener per MIME type, as kept in mimeapps.list.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/association/key_file_text.hpp"

namespace nwmp::xdg {

// Puts `desktopId` first in the type's default list (the openers before it stay behind it, so
// taking ours out again brings the previous default back), adds it to the type's added
// associations, and takes it off the type's removed associations.
void makeDefault(KeyFileText& list, std::string_view mimeType, std::string_view desktopId);

// Takes our desktop ids off the type's default and added lists, except those `keep` accepts;
// another program's ids always stay. A list left empty loses its line.
void dropOwnIds(KeyFileText& list, std::string_view mimeType,
                const std::function<bool(const std::string&)>& keep);

// The first id in the type's default list.
std::optional<std::string> firstDefault(const KeyFileText& list, std::string_view mimeType);

// Whether the type's added associations name the id.
bool listsAdded(const KeyFileText& list, std::string_view mimeType, std::string_view desktopId);

}  // namespace nwmp::xdg
