#include "common/private_profile_file.hpp"

// nwmpset.ini on Windows.
//
// A file without a byte-order mark holds text in the system's ANSI code page, as the Windows
// profile functions keep it; a file with a mark is read and written in its encoding (UTF-16LE,
// as the Windows functions write it, UTF-16BE or UTF-8). The core sees UTF-8 either way.
//
// Reads open the file, take what they need and close it again. A write takes a lock on a lock
// file beside the settings file (nwmpset.ini.lock, hidden, left in place so that every writer
// locks the same file), writes the new text to a temporary file beside it and puts that in place
// of the old file in one step. Two programs writing at once therefore lose no key, a reader never
// sees half a file, and a writer that dies mid-write leaves the previous file whole.
//
// Nothing is ever stored garbled: a value the ANSI code page cannot hold is stored as the short
// (8.3) form of the path it names where the file system gives one that the code page holds;
// otherwise the write is refused and the old value stays. A missing, unreadable or oversized file,
// or a folder, reads as all defaults; a read-only file, a link (reparse point), an oversized file
// or a file that would not be written back as it was read is never written.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/ini_encoding.hpp"
#include "common/ini_text.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"

namespace nwmp {

namespace {

namespace fs = std::filesystem;

// The settings file holds a few hundred bytes; anything far larger is not ours to read whole on
// every access.
constexpr ULONGLONG kLargestFile = 16 * 1024 * 1024;

// A writer holds the lock for one small file update. Waiting longer than this means the holder
// is stuck, and a stuck program must not stop this one.
constexpr DWORD kLockWaitMs = 5000;

// While one program replaces the file, another may briefly be unable to open or replace it. A
// write waits a while for that; a read gives up sooner, as a program reads many keys at start and
// a file some other program keeps locked should only read as defaults.
constexpr DWORD kBusyWaitMs = 2000;
constexpr DWORD kReadBusyWaitMs = 200;

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    // Closes now and tells whether that worked.
    bool close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

  private:
    HANDLE handle_;
};

// Repeats attempt, pausing a little longer each time, until it succeeds, fails for good, or
// waitMs have passed.
template <typename Attempt>
bool retryWhileBusy(DWORD waitMs, Attempt attempt) {
    const ULONGLONG deadline = ::GetTickCount64() + waitMs;
    DWORD pause = 1;
    for (;;) {
        if (attempt()) {
            return true;
        }
        const DWORD error = ::GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          error == ERROR_ACCESS_DENIED || error == ERROR_IO_PENDING;
        if (!busy || ::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(pause);
        pause = std::min<DWORD>(pause * 2, 20);
    }
}

fs::path besideFile(const fs::path& path, std::wstring_view suffix) {
    return fs::path(path.native() + std::wstring(suffix));
}

enum class FileState { Missing, Usable, Unusable };

// Whether a write may touch the file; reads go by what can be opened.
FileState stateForWrite(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? FileState::Missing : FileState::Unusable;
    }
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    constexpr DWORD kRefused =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT;
    return (data.dwFileAttributes & kRefused) != 0 || size > kLargestFile ? FileState::Unusable
                                                                          : FileState::Usable;
}

std::optional<std::string> readBytes(const fs::path& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    HANDLE opened = INVALID_HANDLE_VALUE;
    const bool open = retryWhileBusy(kReadBusyWaitMs, [&] {
        opened = ::CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED &&
            (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ::SetLastError(ERROR_DIRECTORY);  // a folder: no use waiting
        }
        return opened != INVALID_HANDLE_VALUE;
    });
    const Handle file(opened);
    LARGE_INTEGER size{};
    if (!open || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<ULONGLONG>(size.QuadPart) > kLargestFile) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        DWORD chunk = 0;
        if (!::ReadFile(file.get(), bytes.data() + got, static_cast<DWORD>(bytes.size() - got),
                        &chunk, nullptr)) {
            return std::nullopt;
        }
        if (chunk == 0) {
            bytes.resize(got);  // the file shrank while it was read
            break;
        }
        got += chunk;
    }
    return bytes;
}

// The file's text in UTF-8, and whether it can be written back exactly as it was read.
struct FileText {
    ini::FileEncoding encoding = ini::FileEncoding::Plain;
    std::string text;
    bool roundTrips = true;
};

FileText textOf(std::string_view bytes) {
    ini::DecodedFile decoded = ini::decode(bytes);
    FileText file{decoded.encoding, std::move(decoded.text), decoded.roundTrips};
    if (file.encoding == ini::FileEncoding::Plain) {
        file.text = windows::utf8FromAnsi(bytes);
        file.roundTrips = windows::ansiFromUtf8(file.text) == bytes;
    }
    return file;
}

std::optional<std::string> bytesOf(ini::FileEncoding encoding, std::string_view text) {
    return encoding == ini::FileEncoding::Plain ? windows::ansiFromUtf8(text)
                                                : ini::encode(encoding, text);
}

// The short form of the path value names, where the file system gives one that differs.
std::optional<std::string> shortPathOf(std::string_view value) {
    const std::optional<std::wstring> wide = windows::wideFromUtf8(value);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    const DWORD needed = ::GetShortPathNameW(wide->c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring shortForm(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(wide->c_str(), shortForm.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    shortForm.resize(length);
    if (shortForm == *wide) {
        return std::nullopt;
    }
    return windows::utf8FromWide(shortForm);
}

// The file's new bytes with the key written; nothing when they cannot be stored faithfully.
std::optional<std::string> updatedBytes(std::string_view bytes, std::string_view section,
                                        std::string_view key, std::string_view value) {
    const FileText file = textOf(bytes);
    if (!file.roundTrips) {
        return std::nullopt;
    }
    const auto withValue = [&](std::string_view stored) -> std::optional<std::string> {
        const std::optional<std::string> text = ini::withValue(file.text, section, key, stored);
        return text ? bytesOf(file.encoding, *text) : std::nullopt;
    };
    if (std::optional<std::string> updated = withValue(value)) {
        return updated;
    }
    // A path the code page cannot hold may still be stored as its short form, which opens the
    // same file.
    const std::optional<std::string> shortForm =
        file.encoding == ini::FileEncoding::Plain ? shortPathOf(value) : std::nullopt;
    return shortForm ? withValue(*shortForm) : std::nullopt;
}

// An exclusive lock on the settings file's lock file, held until destruction.
class WriteLock {
  public:
    explicit WriteLock(const fs::path& lockPath)
        : file_(::CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr)) {
        if (!file_.valid()) {
            return;
        }
        locked_ = retryWhileBusy(kLockWaitMs, [&] {
            OVERLAPPED whole{};
            return ::LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                                1, 0, &whole) != 0;
        });
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    // Closing the handle releases the lock, also when the process dies.

    bool locked() const { return locked_; }

  private:
    Handle file_;
    bool locked_ = false;
};

bool writeWhole(const fs::path& path, std::string_view bytes) {
    Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    while (!bytes.empty()) {
        DWORD put = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(file.get(), bytes.data(), chunk, &put, nullptr) || put == 0) {
            return false;
        }
        bytes.remove_prefix(put);
    }
    return ::FlushFileBuffers(file.get()) && file.close();
}

// Puts bytes in place of the file at path in one step. An existing file is replaced with
// ReplaceFileW, which keeps its attributes and permissions; where that cannot be done (some file
// systems), or the file is new, the temporary file is renamed over it.
bool replaceFile(const fs::path& path, std::string_view bytes, bool exists) {
    const fs::path temp = besideFile(path, L".new");
    if (!writeWhole(temp, bytes)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    const bool replaced = retryWhileBusy(kBusyWaitMs, [&] {
        if (exists && ::ReplaceFileW(path.c_str(), temp.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return true;
        }
        return ::MoveFileExW(temp.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
    if (!replaced) {
        ::DeleteFileW(temp.c_str());
    }
    return replaced;
}

std::optional<std::string> fileText(const fs::path& path) {
    const std::optional<std::string> bytes = readBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return textOf(*bytes).text;
}

}  // namespace

fs::path settingsPathBesideProgram() {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length == 0) {
            return {};
        }
        if (length < program.size()) {
            program.resize(length);
            return fs::path(program).parent_path() / kSettingsFileName;
        }
        if (program.size() >= 32768) {
            return {};
        }
        program.resize(program.size() * 2);
    }
}

PrivateProfileFile::PrivateProfileFile() : pathSource_(settingsPathBesideProgram) {}

PrivateProfileFile::PrivateProfileFile(PathSource pathSource)
    : pathSource_(std::move(pathSource)) {}

std::int32_t PrivateProfileFile::readInt(std::string_view section, std::string_view key,
                                         std::int32_t defaultValue) const {
    const std::optional<std::string> text = fileText(pathSource_());
    return ini::intValue(text ? ini::findValue(*text, section, key) : std::nullopt, defaultValue);
}

std::string PrivateProfileFile::readText(std::string_view section, std::string_view key,
                                         std::string_view defaultText,
                                         std::size_t bufferLength) const {
    const std::optional<std::string> text = fileText(pathSource_());
    return ini::textValue(text ? ini::findValue(*text, section, key) : std::nullopt, defaultText,
                          bufferLength);
}

bool PrivateProfileFile::writeText(std::string_view section, std::string_view key,
                                   std::string_view value) {
    const SettingsValue one{section, key, value};
    return writeTexts(std::span(&one, 1));
}

bool PrivateProfileFile::writeTexts(std::span<const SettingsValue> values) {
    for (const SettingsValue& value : values) {
        if (!ini::canStore(value.section, value.key, value.value)) {
            return false;
        }
    }
    const fs::path path = pathSource_();
    // Checked before the lock too, so that an unusable file leaves its folder as it was.
    if (path.empty() || stateForWrite(path) == FileState::Unusable) {
        return false;
    }
    const WriteLock lock(besideFile(path, L".lock"));
    if (!lock.locked()) {
        return false;
    }
    const FileState state = stateForWrite(path);
    if (state == FileState::Unusable) {
        return false;
    }
    const std::optional<std::string> bytes =
        state == FileState::Missing ? std::optional<std::string>(std::string()) : readBytes(path);
    if (!bytes) {
        return false;
    }
    // Every value in one replacement of the file, or none when the file cannot take one.
    std::string updated = *bytes;
    for (const SettingsValue& value : values) {
        std::optional<std::string> next =
            updatedBytes(updated, value.section, value.key, value.value);
        if (!next) {
            return false;
        }
        updated = std::move(*next);
    }
    return (state == FileState::Usable && updated == *bytes) ||
           replaceFile(path, updated, state == FileState::Usable);
}

}  // namespace nwmp
