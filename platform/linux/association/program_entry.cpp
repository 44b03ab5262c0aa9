#include "platform/linux/association/program_entry.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/linux/association/desktop_entry_format.hpp"
#include "platform/linux/association/extension_types.hpp"

namespace nwmp::xdg {
namespace {

bool contains(const std::vector<std::string>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

void setList(KeyFileText& entry, std::string_view key, std::string_view value) {
    if (value.empty()) {
        entry.removeKey(kEntryGroup, key);
    } else {
        entry.setValue(kEntryGroup, key, value);
    }
}

std::string appendedList(std::string value, std::string_view item) {
    if (!value.empty() && value.back() != ';') {
        value += ';';
    }
    value += item;
    value += ';';
    return value;
}

std::string baseName(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

bool isOwnEntry(const KeyFileText& entry) {
    return entry.value(kEntryGroup, kExtensionsKey).has_value();
}

std::vector<std::string> entryMimeTypes(const KeyFileText& entry) {
    return splitList(entry.value(kEntryGroup, "MimeType").value_or(""));
}

std::vector<std::string> entryExtensions(const KeyFileText& entry) {
    return splitList(entry.value(kEntryGroup, kExtensionsKey).value_or(""));
}

void setProgramKeys(KeyFileText& entry, std::string_view program, std::string_view iconPath) {
    entry.setValue(kEntryGroup, "Type", "Application");
    entry.setValue(kEntryGroup, "Name", escapeStringValue(baseName(program)));
    entry.setValue(kEntryGroup, "Exec", execLine(program));
    entry.setValue(kEntryGroup, "TryExec", escapeStringValue(program));
    entry.setValue(kEntryGroup, "NoDisplay", "true");
    entry.setValue(kEntryGroup, "Terminal", "false");
    std::error_code error;
    if (!iconPath.empty() && std::filesystem::is_regular_file(iconPath, error)) {
        entry.setValue(kEntryGroup, "Icon", escapeStringValue(iconPath));
    }
}

void addExtension(KeyFileText& entry, std::string_view extension,
                  const std::vector<std::string>& mimeTypes) {
    std::string types = entry.value(kEntryGroup, "MimeType").value_or("");
    for (const std::string& type : mimeTypes) {
        if (!contains(splitList(types), type)) {
            types = appendedList(types, type);
        }
    }
    entry.setValue(kEntryGroup, "MimeType", types);

    const std::string lower = asciiLower(extension);
    std::string extensions = entry.value(kEntryGroup, kExtensionsKey).value_or("");
    if (!contains(splitList(extensions), lower)) {
        extensions = appendedList(extensions, lower);
    }
    entry.setValue(kEntryGroup, kExtensionsKey, extensions);
}

void dropExtension(KeyFileText& entry, std::string_view extension,
                   const std::vector<std::string>& releasedTypes) {
    const std::string lower = asciiLower(extension);
    // The key stays, even empty, as the mark of our entry.
    entry.setValue(kEntryGroup, kExtensionsKey,
                   removeFromList(entry.value(kEntryGroup, kExtensionsKey).value_or(""),
                                  [&lower](const std::string& e) { return e == lower; }));
    setList(entry, "MimeType",
            removeFromList(entry.value(kEntryGroup, "MimeType").value_or(""),
                           [&releasedTypes](const std::string& type) {
                               return contains(releasedTypes, type);
                           }));
}

}  // namespace nwmp::xdg
