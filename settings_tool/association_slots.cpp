#include "settings_tool/association_slots.hpp"

#include <array>

#include "common/open_file_dialog.hpp"
#include "settings_tool/nwmpset_layout.hpp"

namespace nwmp {

namespace {

enum class KeyBase { Extension, Class };
enum class DefaultValue { None, ClassKeyName, IconPath, Open, OpenCommand };

struct RegistryLayoutRow {
    KeyBase base;
    std::string_view subkey;
    DefaultValue value;
};

// The keys of one registration and what each key's default value holds.
constexpr std::array<RegistryLayoutRow, 6> kRegistryLayout = {{
    {KeyBase::Extension, "", DefaultValue::ClassKeyName},
    {KeyBase::Class, "", DefaultValue::None},
    {KeyBase::Class, "\\DefaultIcon", DefaultValue::IconPath},
    {KeyBase::Class, "\\Shell", DefaultValue::Open},
    {KeyBase::Class, "\\Shell\\Open", DefaultValue::Open},
    {KeyBase::Class, "\\Shell\\Open\\Command", DefaultValue::OpenCommand},
}};

std::optional<std::string> resolve(DefaultValue value, const SlotNames& names,
                                   std::string_view command) {
    switch (value) {
        case DefaultValue::None:
            return std::nullopt;
        case DefaultValue::ClassKeyName:
            return names.classKey;
        case DefaultValue::IconPath:
            return names.iconPath;
        case DefaultValue::Open:
            return std::string("Open");
        case DefaultValue::OpenCommand:
            return std::string(command);
    }
    return std::nullopt;
}

}  // namespace

SlotNames buildSlotNames(std::size_t slot, std::string_view extension, const ToolFolder& folder) {
    SlotNames names;
    names.extension = std::string(extension);
    names.extensionKey = "." + names.extension;
    names.classKey = names.extension + "file";
    names.iconPath = folder.join(folder.join(folder.path(), "icon"), names.extension + ".ico");
    names.bookkeepingKey = std::string(kAssociationSlots.at(slot).bookkeepingKey);
    return names;
}

std::string openCommand(std::string_view programPath) {
    // Neither part is quoted: the player takes its whole command line as one path.
    return std::string(programPath) + " " + "%1";
}

std::string defaultProgramPath(const ToolFolder& folder) {
    return folder.join(folder.path(),
                       std::string(kDefaultProgramName) + std::string(folder.programSuffix()));
}

std::string programFilterText() {
    return buildFilterText({{"プログラムファイル(*.exe)", "*.exe"}});
}

std::vector<RegistryEntry> registryEntries(const SlotNames& names, std::string_view command) {
    std::vector<RegistryEntry> entries;
    entries.reserve(kRegistryLayout.size());
    for (const RegistryLayoutRow& row : kRegistryLayout) {
        const std::string& base =
            row.base == KeyBase::Extension ? names.extensionKey : names.classKey;
        entries.push_back({base + std::string(row.subkey), resolve(row.value, names, command)});
    }
    return entries;
}

}  // namespace nwmp
