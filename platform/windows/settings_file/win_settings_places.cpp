// The settings location rule's questions on Win32 files, and the running program's candidates:
// beside the program, else %APPDATA%\Norvalent WMP 3\nwmpset.ini. An installed program's folder
// under Program Files takes no file from a normal user; the user's own file serves then.

#include <windows.h>

#include <memory>
#include <string>

#include "common/located_settings_file.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"

namespace nwmp {

namespace fs = std::filesystem;

namespace {

// What the settings file's own write refuses to touch (see private_profile_file.cpp).
constexpr DWORD kRefused =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT;

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// A new file in the folder under a name of its own; it goes when its handle closes.
Handle probeFile(const fs::path& folder) {
    const std::wstring name = L".nwmpset.ini.probe-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(::GetTickCount64());
    return Handle(::CreateFileW((folder / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
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

    bool canWrite(const fs::path& file) const override {
        const DWORD attributes = ::GetFileAttributesW(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & kRefused) != 0) {
                return false;
            }
            const Handle opened(::CreateFileW(
                file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, OPEN_EXISTING, 0, nullptr));
            if (!opened.valid() && ::GetLastError() != ERROR_SHARING_VIOLATION) {
                return false;
            }
        } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
            return false;
        }
        // The write puts a new file in place through a temporary file beside it.
        return probeFile(file.parent_path()).valid();
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
