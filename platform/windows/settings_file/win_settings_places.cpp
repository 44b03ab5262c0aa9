// The settings location rule's questions on Win32 files, and the running program's candidates:
// beside the program, else %APPDATA%\Norvalent WMP 3\nwmpset.ini. An installed program's folder
// under Program Files takes no file from a normal user; the user's own file serves then.
//
// The folder's permissions are read, never tried: a probe file would be left behind by a program
// killed at the wrong moment, and a full disk would answer for permissions.

#include "platform/windows/settings_file/win_settings_places.hpp"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/located_settings_file.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"

namespace nwmp {

namespace fs = std::filesystem;

namespace {

class Handle {
  public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    HANDLE* receive() { return &handle_; }
    HANDLE release() { return std::exchange(handle_, nullptr); }

  private:
    HANDLE handle_;
};

bool onReadOnlyVolume(const fs::path& folder) {
    wchar_t volume[MAX_PATH + 1] = {};
    DWORD flags = 0;
    return ::GetVolumePathNameW(folder.c_str(), volume, MAX_PATH) &&
           ::GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
           (flags & FILE_READ_ONLY_VOLUME) != 0;
}

// Whether the token may do `desired` to the file or folder, by its security descriptor. Where that
// cannot be read, the answer is no: the settings then live in the user's own folder.
bool tokenMay(HANDLE token, const fs::path& path, DWORD desired) {
    constexpr SECURITY_INFORMATION kParts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    ::GetFileSecurityW(path.c_str(), kParts, nullptr, 0, &needed);
    if (needed == 0) {
        return false;
    }
    std::vector<BYTE> descriptor(needed);
    if (!::GetFileSecurityW(path.c_str(), kParts, descriptor.data(), needed, &needed)) {
        return false;
    }
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    ::MapGenericMask(&desired, &mapping);
    PRIVILEGE_SET privileges{};
    DWORD privilegesLength = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = FALSE;
    return ::AccessCheck(descriptor.data(), token, desired, &mapping, &privileges,
                         &privilegesLength, &granted, &allowed) &&
           allowed;
}

bool makeFolders(const fs::path& folder) {
    if (folder.empty()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    if (folder.has_parent_path() && folder.parent_path() != folder &&
        !makeFolders(folder.parent_path())) {
        return false;
    }
    return ::CreateDirectoryW(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

class WinSettingsPlaces final : public SettingsPlaces {
  public:
    bool exists(const fs::path& file) const override {
        return ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool folderTakesSettings(const fs::path& file) const override {
        const fs::path folder = file.parent_path();
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            onReadOnlyVolume(folder)) {
            return false;
        }
        const Handle token(windows::openSettingsDecisionToken());
        return token.valid() && tokenMay(token.get(), folder, FILE_ADD_FILE);
    }

    bool prepare(const fs::path& file, const fs::path& from) override {
        if (!makeFolders(file.parent_path())) {
            return false;
        }
        if (from.empty() || exists(file)) {
            return true;
        }
        // The user's copy of what an administrator put beside the program: made under another
        // name, made writable, then put in place unless another program's copy came first.
        const fs::path temp = fs::path(file.native() + L".start");
        if (!::CopyFileW(from.c_str(), temp.c_str(), FALSE)) {
            return false;
        }
        const DWORD attributes = ::GetFileAttributesW(temp.c_str());
        ::SetFileAttributesW(temp.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
        const bool placed = ::MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH) ||
                            ::GetLastError() == ERROR_ALREADY_EXISTS;
        ::DeleteFileW(temp.c_str());
        return placed;
    }
};

std::wstring environment(const wchar_t* name) {
    const DWORD length = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring value(length, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

}  // namespace

HANDLE windows::openSettingsDecisionToken() {
    Handle process;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE,
                            process.receive())) {
        return nullptr;
    }
    TOKEN_ELEVATION_TYPE elevation = TokenElevationTypeDefault;
    DWORD size = 0;
    TOKEN_LINKED_TOKEN linked{};
    if (::GetTokenInformation(process.get(), TokenElevationType, &elevation, sizeof elevation,
                              &size) &&
        elevation == TokenElevationTypeFull &&
        ::GetTokenInformation(process.get(), TokenLinkedToken, &linked, sizeof linked, &size)) {
        return linked.LinkedToken;
    }
    Handle identification;
    return ::DuplicateToken(process.get(), SecurityIdentification, identification.receive())
               ? identification.release()
               : nullptr;
}

std::unique_ptr<SettingsPlaces> fileSystemSettingsPlaces() {
    return std::make_unique<WinSettingsPlaces>();
}

SettingsCandidates runningProgramSettingsCandidates() {
    const std::wstring appData = environment(L"APPDATA");
    const std::optional<std::wstring> perUser =
        windows::wideFromUtf8(windowsSettingsFile(windows::utf8FromWide(appData)));
    return {
        .besideProgram = settingsPathBesideProgram(),
        .perUser = perUser ? fs::path(*perUser) : fs::path(),
    };
}

}  // namespace nwmp
