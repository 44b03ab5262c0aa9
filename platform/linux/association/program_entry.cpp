#include "platform/linux/association/program_entry.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/linux/association/desktop_entry_format.hpp"
#include "platform/linux/association/extension_types.hpp"
#include "platform/linux/association/text_file_io.hpp"

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

namespace fs = std::filesystem;

// The folders of a search-path variable; relative ones are invalid there and skipped.
std::vector<fs::path> foldersOf(const char* variable, std::string_view fallback) {
    const char* value = std::getenv(variable);
    std::string_view list = (value != nullptr && value[0] != '\0') ? value : fallback;
    std::vector<fs::path> folders;
    while (!list.empty()) {
        const auto colon = list.find(':');
        const std::string_view folder = list.substr(0, colon);
        if (folder.starts_with('/')) {
            folders.emplace_back(folder);
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return folders;
}

// The program file an Exec value starts: its first word, unquoted, found on PATH when bare.
std::optional<fs::path> execProgram(std::string_view exec) {
    std::string word;
    if (exec.starts_with('"')) {
        const auto close = exec.find('"', 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        word = exec.substr(1, close - 1);
    } else {
        word = exec.substr(0, exec.find(' '));
    }
    if (word.empty()) {
        return std::nullopt;
    }
    if (word.find('/') != std::string::npos) {
        return fs::path(word);
    }
    std::error_code error;
    for (const fs::path& folder : foldersOf("PATH", "/usr/local/bin:/usr/bin:/bin")) {
        if (fs::is_regular_file(folder / word, error)) {
            return folder / word;
        }
    }
    return std::nullopt;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

}  // namespace

std::optional<std::string> installedEntryFor(std::string_view program) {
    const std::string name = baseName(program);
    const auto known = std::find_if(kInstalledEntries.begin(), kInstalledEntries.end(),
                                    [&name](const InstalledEntry& e) { return e.program == name; });
    if (known == kInstalledEntries.end()) {
        return std::nullopt;
    }
    // The first folder that holds the id is the entry the desktop uses.
    for (const fs::path& folder : foldersOf("XDG_DATA_DIRS", "/usr/local/share:/usr/share")) {
        const auto text = readTextFile(folder / "applications" / known->desktopId);
        if (!text) {
            continue;
        }
        const auto exec = KeyFileText(*text).value(kEntryGroup, "Exec");
        const auto started = exec ? execProgram(*exec) : std::nullopt;
        if (started && sameFile(*started, fs::path(program))) {
            return std::string(known->desktopId);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

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
