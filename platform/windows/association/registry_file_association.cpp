#include "platform/windows/association/registry_file_association.hpp"

// windows.h comes before the other Windows headers.
// clang-format off
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
// clang-format on

#include <optional>
#include <utility>

#include "platform/windows/association/open_command.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "settings_tool/association_slots.hpp"
#include "settings_tool/custom_extension.hpp"

namespace nwmp::windows_platform {

using association::programPathOf;
using association::registryOpenCommand;

namespace {

constexpr std::wstring_view kUserClasses = L"Software\\Classes\\";
constexpr std::wstring_view kUserChoices =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

std::wstring classesPath(std::string_view key) {
    return std::wstring(kUserClasses) + widen(key);
}

// Only an extension that can name nothing but itself becomes a key: no separators, blanks,
// dots or program types.
bool harmlessExtension(const std::string& extension) {
    const ExtensionCheck check = checkCustomExtension(extension);
    return check.problem == ExtensionProblem::None && check.extension == extension;
}

// A key's default value, if the key exists and holds one as text.
std::optional<std::wstring> readDefault(const std::wstring& path) {
    wchar_t buffer[2048];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(buffer);
}

bool keyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool writeEntry(const RegistryEntry& entry) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, classesPath(entry.key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS status = ERROR_SUCCESS;
    if (entry.defaultValue) {
        // Stored as UTF-16 like every REG_SZ; a reader through the ANSI functions gets the
        // code-page text, and text the code page cannot hold is not turned into "?" here.
        const std::wstring value = widen(*entry.defaultValue);
        status =
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void restoreDefault(const std::wstring& path, const std::optional<std::wstring>& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    if (value) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, nullptr);
    }
    RegCloseKey(key);
}

bool sameText(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::optional<std::wstring> shellAnswer(ASSOCSTR what, const std::wstring& extensionKey) {
    wchar_t buffer[4096];
    DWORD length = ARRAYSIZE(buffer);
    if (FAILED(AssocQueryStringW(ASSOCF_NOTRUNCATE, what, extensionKey.c_str(), L"open", buffer,
                                 &length))) {
        return std::nullopt;
    }
    return std::wstring(buffer);
}

enum class ShellAnswer { Ours, Another, None };

// What the shell now opens the extension with: this command or this program, another one, or
// nothing at all. Wine does not merge the per-user classes into HKEY_CLASSES_ROOT and so knows
// no opener for a type registered only there; Windows always does.
ShellAnswer shellOpener(const std::wstring& extensionKey, const std::wstring& command,
                        const std::wstring& program) {
    const auto resolvedCommand = shellAnswer(ASSOCSTR_COMMAND, extensionKey);
    if (resolvedCommand && sameText(*resolvedCommand, command)) {
        return ShellAnswer::Ours;
    }
    const auto executable = shellAnswer(ASSOCSTR_EXECUTABLE, extensionKey);
    if (executable && sameText(*executable, program)) {
        return ShellAnswer::Ours;
    }
    return resolvedCommand || executable ? ShellAnswer::Another : ShellAnswer::None;
}

// The program the user picked for the type in the system's settings, when it is not ours.
bool choiceHeldBySystem(const std::string& extension, const std::string& classKey) {
    const std::wstring path =
        std::wstring(kUserChoices) + L"." + widen(extension) + L"\\UserChoice";
    wchar_t buffer[512];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"ProgId", RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    return !sameText(buffer, widen(classKey));
}

void tellShell() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

bool keyIsEmpty(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subkeys = 0;
    DWORD values = 0;
    const LSTATUS status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                            nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && subkeys == 0 && values == 0;
}

}  // namespace

bool RegistryFileAssociation::registerExtension(const AssociationRequest& request) {
    try {
        return registerChecked(request);
    } catch (...) {
        return false;
    }
}

bool RegistryFileAssociation::registerChecked(const AssociationRequest& request) {
    if (!harmlessExtension(request.extension)) {
        return false;
    }
    SlotNames names;
    names.extension = request.extension;
    names.extensionKey = "." + request.extension;
    names.classKey = request.extension + "file";
    names.iconPath = request.iconPath;
    const std::string program = programPathOf(request.openCommand);
    const std::string command = registryOpenCommand(program);

    // What a failure half-way must put back.
    const std::wstring extensionPath = classesPath(names.extensionKey);
    const std::wstring classPath = classesPath(names.classKey);
    const bool extensionExisted = keyExists(extensionPath);
    const std::optional<std::wstring> previousDefault = readDefault(extensionPath);
    const bool classExisted = keyExists(classPath);

    bool written = true;
    for (const RegistryEntry& entry : registryEntries(names, command)) {
        if (!writeEntry(entry)) {
            written = false;
            break;
        }
    }
    if (!written) {
        if (!classExisted) {
            RegDeleteTreeW(HKEY_CURRENT_USER, classPath.c_str());
        }
        if (extensionExisted) {
            restoreDefault(extensionPath, previousDefault);
        } else {
            RegDeleteTreeW(HKEY_CURRENT_USER, extensionPath.c_str());
        }
        return false;
    }
    tellShell();
    std::wstring unquoted = widen(program);
    if (unquoted.size() >= 2 && unquoted.front() == L'"' && unquoted.back() == L'"') {
        unquoted = unquoted.substr(1, unquoted.size() - 2);
    }
    const std::wstring wideCommand = widen(command);
    switch (shellOpener(widen(names.extensionKey), wideCommand, unquoted)) {
        case ShellAnswer::Ours:
            return true;
        case ShellAnswer::None: {
            // No opener at all: what the registry now holds decides.
            const auto stored = readDefault(classesPath(names.classKey + "\\Shell\\Open\\Command"));
            const auto named = readDefault(extensionPath);
            return stored && *stored == wideCommand && named && *named == widen(names.classKey);
        }
        case ShellAnswer::Another:
            break;
    }
    if (choiceHeldBySystem(names.extension, names.classKey)) {
        choicesHeldBySystem_.push_back(names.extension);
    }
    return false;
}

bool RegistryFileAssociation::removeExtension(const std::string& extension) {
    try {
        if (!harmlessExtension(extension)) {
            return false;
        }
        const std::wstring extensionPath = classesPath("." + extension);
        const std::wstring className = widen(extension + "file");
        const std::wstring classPath = classesPath(extension + "file");

        const LSTATUS classStatus = RegDeleteTreeW(HKEY_CURRENT_USER, classPath.c_str());
        if (classStatus != ERROR_SUCCESS && classStatus != ERROR_FILE_NOT_FOUND) {
            return false;
        }
        // The extension key may carry other programs' values and subkeys ("Content Type",
        // OpenWithProgids ...): only its default value goes, and only while it names our class.
        const std::optional<std::wstring> current = readDefault(extensionPath);
        if (current && sameText(*current, className)) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, extensionPath.c_str(), 0, KEY_SET_VALUE, &key) !=
                ERROR_SUCCESS) {
                return false;
            }
            const LSTATUS status = RegDeleteValueW(key, nullptr);
            RegCloseKey(key);
            if (status != ERROR_SUCCESS) {
                return false;
            }
            if (keyIsEmpty(extensionPath)) {
                RegDeleteKeyW(HKEY_CURRENT_USER, extensionPath.c_str());
            }
        }
        tellShell();
        const std::optional<std::wstring> after = readDefault(extensionPath);
        return !keyExists(classPath) && !(after && sameText(*after, className));
    } catch (...) {
        return false;
    }
}

std::vector<std::string> RegistryFileAssociation::takeChoicesHeldBySystem() {
    return std::exchange(choicesHeldBySystem_, {});
}

}  // namespace nwmp::windows_platform
