#include "platform/linux/association/xdg_file_association.hpp"

#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/linux/association/desktop_entry_format.hpp"
#include "platform/linux/association/extension_types.hpp"
#include "platform/linux/association/helper_programs.hpp"
#include "platform/linux/association/key_file_text.hpp"
#include "platform/linux/association/mimeapps_list.hpp"
#include "platform/linux/association/program_entry.hpp"
#include "platform/linux/association/text_file_io.hpp"

namespace nwmp::xdg {
namespace {

namespace fs = std::filesystem;

// A relative value is invalid for these variables and means "use the default".
fs::path folderFromEnvironment(const char* variable, const char* fallbackUnderHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        return fs::path(value);
    }
    return fs::path(QDir::homePath().toStdString()) / fallbackUnderHome;
}

bool contains(const std::vector<std::string>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

bool isRunnableProgram(const std::string& program) {
    std::error_code error;
    return fs::is_regular_file(program, error) && ::access(program.c_str(), X_OK) == 0;
}

// The types the extension is registered under: the known ones, or our own when none is known.
std::vector<std::string> typesFor(std::string_view extension) {
    std::vector<std::string> types = knownMimeTypes(extension);
    if (types.empty()) {
        types.push_back(ownMimeType(extension));
    }
    return types;
}

// A file as read and as edited; written only when the edit changed it.
struct EditedFile {
    fs::path file;
    std::optional<std::string> original;
    KeyFileText text;
    bool remove = false;

    explicit EditedFile(fs::path path)
        : file(std::move(path)), original(readTextFile(file)), text(original.value_or("")) {}

    bool changed() const {
        return remove || KeyFileText(original.value_or("")).text() != text.text();
    }

    bool save() const {
        if (remove) {
            return removeFile(file);
        }
        return !changed() || writeTextFileAtomically(file, text.text());
    }
};

// Every desktop entry in the folder that this service wrote.
std::vector<EditedFile> ownEntries(const fs::path& folder) {
    std::vector<EditedFile> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(kOwnPrefix) && name.ends_with(".desktop") &&
            it->is_regular_file(error)) {
            EditedFile entry(it->path());
            if (entry.original && isOwnEntry(entry.text)) {
                entries.push_back(std::move(entry));
            }
        }
    }
    return entries;
}

bool refreshDesktopDatabase(const fs::path& applications) {
    // The cache only speeds up lookups; a desktop without the tool reads the entries directly.
    return runTool("update-desktop-database", {applications.string()}) != ToolResult::Failed;
}

}  // namespace

XdgFileAssociation::XdgFileAssociation()
    : XdgFileAssociation(folderFromEnvironment("XDG_DATA_HOME", ".local/share"),
                         folderFromEnvironment("XDG_CONFIG_HOME", ".config")) {}

XdgFileAssociation::XdgFileAssociation(fs::path dataHome, fs::path configHome)
    : dataHome_(std::move(dataHome)), configHome_(std::move(configHome)) {}

bool XdgFileAssociation::registerExtension(const AssociationRequest& request) {
    try {
        return registerChecked(request);
    } catch (...) {
        return false;
    }
}

bool XdgFileAssociation::removeExtension(const std::string& extension) {
    try {
        return removeChecked(extension);
    } catch (...) {
        return false;
    }
}

bool XdgFileAssociation::registerChecked(const AssociationRequest& request) const {
    const std::string& extension = request.extension;
    if (!isAcceptableExtension(extension)) {
        return false;
    }
    const auto program = programPathFromOpenCommand(request.openCommand);
    // Desktops skip an entry whose program is missing, so it could never open anything.
    if (!program || !isRunnableProgram(*program)) {
        return false;
    }
    std::vector<std::string> types = knownMimeTypes(extension);
    if (includesExecutableType(types)) {
        return false;
    }
    const bool declareOwnType = types.empty();
    if (declareOwnType) {
        types.push_back(ownMimeType(extension));
    }

    // An installed program has its menu entry already; the user's choices name that one.
    if (const auto installed = installedEntryFor(*program)) {
        return registerWithInstalledEntry(extension, types, declareOwnType, *installed);
    }

    const std::string desktopId = desktopFileNameFor(*program);
    EditedFile entry(applicationsFolder() / desktopId);
    EditedFile list(mimeappsFile());
    // Everything that will be written is checked first, so a refusal leaves no partial work.
    const fs::path packages = mimeFolder() / "packages";
    if (!mayWrite(applicationsFolder(), entry.file) || !mayWrite(configHome_, list.file) ||
        (declareOwnType && !mayWrite(packages, packages / ownPackageFileName(extension)))) {
        return false;
    }
    if (declareOwnType && !installOwnType(extension)) {
        return false;
    }

    setProgramKeys(entry.text, *program, request.iconPath);
    addExtension(entry.text, extension, types);
    if (!entry.save() || !refreshDesktopDatabase(applicationsFolder())) {
        return false;
    }
    for (const std::string& type : types) {
        makeDefault(list.text, type, desktopId);
    }
    if (!list.save()) {
        return false;
    }

    // Holds only if what the desktop will read says so.
    const KeyFileText writtenEntry(readTextFile(entry.file).value_or(""));
    const KeyFileText writtenList(readTextFile(list.file).value_or(""));
    if (!isOwnEntry(writtenEntry) ||
        writtenEntry.value(kEntryGroup, "Exec") != execLine(*program)) {
        return false;
    }
    const auto entryTypes = entryMimeTypes(writtenEntry);
    return std::all_of(types.begin(), types.end(), [&](const std::string& type) {
        return contains(entryTypes, type) && firstDefault(writtenList, type) == desktopId &&
               listsAdded(writtenList, type, desktopId);
    });
}

bool XdgFileAssociation::registerWithInstalledEntry(const std::string& extension,
                                                    const std::vector<std::string>& types,
                                                    bool declareOwnType,
                                                    const std::string& desktopId) const {
    EditedFile list(mimeappsFile());
    const fs::path packages = mimeFolder() / "packages";
    if (!mayWrite(configHome_, list.file) ||
        (declareOwnType && !mayWrite(packages, packages / ownPackageFileName(extension)))) {
        return false;
    }
    if (declareOwnType && !installOwnType(extension)) {
        return false;
    }
    for (const std::string& type : types) {
        makeDefault(list.text, type, desktopId);
    }
    if (!list.save()) {
        return false;
    }
    const KeyFileText writtenList(readTextFile(list.file).value_or(""));
    return std::all_of(types.begin(), types.end(), [&](const std::string& type) {
        return firstDefault(writtenList, type) == desktopId &&
               listsAdded(writtenList, type, desktopId);
    });
}

bool XdgFileAssociation::removeChecked(const std::string& extension) const {
    if (!isAcceptableExtension(extension)) {
        return false;
    }
    std::vector<std::string> types = knownMimeTypes(extension);
    if (!contains(types, ownMimeType(extension))) {
        types.push_back(ownMimeType(extension));
    }
    const std::string lower = asciiLower(extension);

    std::vector<EditedFile> entries = ownEntries(applicationsFolder());
    for (EditedFile& entry : entries) {
        std::vector<std::string> remaining = entryExtensions(entry.text);
        if (!contains(remaining, lower)) {
            continue;
        }
        std::erase(remaining, lower);
        // A type another registered extension of this entry still needs stays with it.
        std::vector<std::string> released = types;
        for (const std::string& other : remaining) {
            for (const std::string& needed : typesFor(other)) {
                std::erase(released, needed);
            }
        }
        dropExtension(entry.text, extension, released);
        entry.remove = entryMimeTypes(entry.text).empty();
    }

    EditedFile list(mimeappsFile());
    for (const std::string& type : types) {
        dropOwnIds(list.text, type, [&](const std::string& id) {
            return std::any_of(entries.begin(), entries.end(), [&](const EditedFile& entry) {
                return entry.file.filename() == id && !entry.remove &&
                       contains(entryMimeTypes(entry.text), type);
            });
        });
    }

    const fs::path package = mimeFolder() / "packages" / ownPackageFileName(extension);
    std::error_code error;
    const bool hasOwnType = fs::exists(package, error);
    const bool entriesChanged = std::any_of(
        entries.begin(), entries.end(), [](const EditedFile& entry) { return entry.changed(); });
    if ((list.changed() && !mayWrite(configHome_, list.file)) ||
        (entriesChanged && !mayWrite(applicationsFolder())) ||
        (hasOwnType && !mayWrite(package.parent_path(), package))) {
        return false;
    }

    // The defaults go first, so that no default ever names an entry already deleted.
    if (!list.save()) {
        return false;
    }
    for (const EditedFile& entry : entries) {
        if (!entry.save()) {
            return false;
        }
    }
    if (entriesChanged && !refreshDesktopDatabase(applicationsFolder())) {
        return false;
    }
    return !hasOwnType || removeOwnType(extension);
}

bool XdgFileAssociation::installOwnType(const std::string& extension) const {
    const fs::path package = mimeFolder() / "packages" / ownPackageFileName(extension);
    const std::string text = ownPackageText(extension);
    const std::string globsLine = ownGlobsEntry(extension) + "\n";
    const bool current =
        readTextFile(package) == text &&
        readTextFile(mimeFolder() / "globs2").value_or("").find(globsLine) != std::string::npos;
    if (current) {
        return true;
    }
    if (!writeTextFileAtomically(package, text) ||
        runTool("update-mime-database", {mimeFolder().string()}) != ToolResult::Succeeded) {
        return false;
    }
    return readTextFile(mimeFolder() / "globs2").value_or("").find(globsLine) != std::string::npos;
}

bool XdgFileAssociation::removeOwnType(const std::string& extension) const {
    const fs::path package = mimeFolder() / "packages" / ownPackageFileName(extension);
    if (!removeFile(package) ||
        runTool("update-mime-database", {mimeFolder().string()}) != ToolResult::Succeeded) {
        return false;
    }
    return readTextFile(mimeFolder() / "globs2").value_or("").find(ownGlobsEntry(extension)) ==
           std::string::npos;
}

}  // namespace nwmp::xdg
