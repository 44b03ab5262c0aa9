#pragma once

// The names the association builds for one slot, the open command, the default program and the
// registry entries a registration consists of on Windows.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_tool/tool_folder.hpp"

namespace nwmp {

// The program a fresh window offers: the standard edition beside the tool.
inline constexpr std::string_view kDefaultProgramName = "NorvalentWMP3TE";

struct SlotNames {
    std::string extension;       // "mp3"
    std::string extensionKey;    // ".mp3"
    std::string classKey;        // "mp3file": the extension first, "file" after it
    std::string iconPath;        // the tool's folder, "icon", "mp3.ico"
    std::string bookkeepingKey;  // ".mp3"; the empty name for the user's own slot
};

// The slot's names for this extension (given without its leading dot).
SlotNames buildSlotNames(std::size_t slot, std::string_view extension, const ToolFolder& folder);

// The program path, a blank and "%1", as the shell expects the open command.
std::string openCommand(std::string_view programPath);

// The tool's folder joined with the standard edition's program file name.
std::string defaultProgramPath(const ToolFolder& folder);

// The filter of the "..." dialog: program files, "*.exe" on every platform; a platform whose
// programs carry no suffix has its dialog take that pattern for its own programs.
std::string programFilterText();

// One key of a registration under HKEY_CLASSES_ROOT and its default value, if it gets one.
struct RegistryEntry {
    std::string key;
    std::optional<std::string> defaultValue;
    bool operator==(const RegistryEntry&) const = default;
};

// The six keys of one registration, in the order they are written.
std::vector<RegistryEntry> registryEntries(const SlotNames& names, std::string_view command);

}  // namespace nwmp
