#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/ini_text.hpp"
#include "common/private_profile_file.hpp"
#include "platform/linux/settings_file/posix_file_io.hpp"
#include "platform/linux/settings_file/posix_write_access.hpp"

namespace nwmp {

namespace {

namespace fs = std::filesystem;

// A writer holds the lock for one small file update. Waiting longer than this means the holder
// is stuck, and a stuck program must not stop this one.
constexpr auto kLockWait = std::chrono::seconds(5);

// Each retry follows another writer's completed replacement of the file, so a handful suffices;
// the bound only keeps a pathological file system from looping forever.
constexpr int kMaxOpenAttempts = 100;

constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;  // a FIFO must not block us

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool lockExclusive(int fd) {
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    auto pause = std::chrono::milliseconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    return true;
}

// Temporary files are named after the settings file: a dot, its name, a dot, six characters.
std::string tempPrefix(const fs::path& path) {
    std::string prefix(1, '.');
    prefix += path.filename().string();
    prefix += '.';
    return prefix;
}
constexpr std::size_t kTempSuffixLength = 6;

// Only the holder of the lock on the current file makes temporary files, so any found by that
// holder were left by a writer that died mid-write. Earlier versions also left probe files
// behind when killed while choosing the place.
void removeLeftovers(const fs::path& path) {
    const std::string prefix = tempPrefix(path);
    const std::string probe = prefix + "probe-";
    const auto ours = [&](const std::string& name) {
        return (name.size() == prefix.size() + kTempSuffixLength && name.starts_with(prefix)) ||
               (name.size() == probe.size() + kTempSuffixLength && name.starts_with(probe));
    };
    std::error_code error;
    for (auto it = fs::directory_iterator(folderOf(path), error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (ours(name) && it->is_regular_file(ignored) && !it->is_symlink(ignored)) {
            fs::remove(it->path(), ignored);
        }
    }
}

// Whether the user is a member of the group, as the system counts it for file access.
bool userInGroup(gid_t group) {
    if (group == ::getegid()) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    const int got = ::getgroups(count, groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(got, 0), group) !=
           groups.begin() + std::max(got, 0);
}

// Gives the new file at fd the old file's owner, group and permissions where the system allows.
// Where it does not (the file is another user's, or its group is not one of the writer's), the
// new file is the writer's own, in the old group where the writer may give it, with permissions
// that give nobody more than they had: an old owner who is in the group keeps what the group has.
bool takeOver(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) == 0) {
        return ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && userInGroup(old.st_gid)) {
        return false;
    }
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        return false;
    }
    return ::fchmod(fd, posix::replacementMode(old, now.st_uid, now.st_gid,
                                               userInGroup(old.st_gid))) == 0;
}

// Puts text in place of the file at path in one step, keeping what takeOver keeps; when that
// cannot be done, nothing changes.
bool replaceFile(const fs::path& path, std::string_view text, const struct stat& old) {
    std::string tempPath =
        folderOf(path) / (tempPrefix(path) + std::string(kTempSuffixLength, 'X'));
    posix::FileDescriptor temp(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (!temp.valid()) {
        return false;
    }
    const bool written = takeOver(temp.get(), old) && posix::writeWhole(temp.get(), text) &&
                         ::fsync(temp.get()) == 0 && temp.close();
    if (!written || ::rename(tempPath.c_str(), path.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable; the file is already whole either way.
    const posix::FileDescriptor dir(::open(folderOf(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (dir.valid()) {
        ::fsync(dir.get());
    }
    return true;
}

}  // namespace

fs::path settingsPathBesideProgram() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) {
        return {};
    }
    return program.parent_path() / kSettingsFileName;
}

PrivateProfileFile::PrivateProfileFile() : pathSource_(settingsPathBesideProgram) {}

PrivateProfileFile::PrivateProfileFile(PathSource pathSource)
    : pathSource_(std::move(pathSource)) {}

std::int32_t PrivateProfileFile::readInt(std::string_view section, std::string_view key,
                                         std::int32_t defaultValue) const {
    const std::optional<std::string> text = posix::readFile(pathSource_());
    return ini::intValue(text ? ini::findValueInFile(*text, section, key) : std::nullopt,
                         defaultValue);
}

std::string PrivateProfileFile::readText(std::string_view section, std::string_view key,
                                         std::string_view defaultText,
                                         std::size_t bufferLength) const {
    const std::optional<std::string> text = posix::readFile(pathSource_());
    return ini::textValue(text ? ini::findValueInFile(*text, section, key) : std::nullopt,
                          defaultText, bufferLength);
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
    const fs::path path = posix::writableSettingsTarget(pathSource_());
    if (path.empty()) {
        return false;
    }
    for (int attempt = 0; attempt < kMaxOpenAttempts; ++attempt) {
        const posix::FileDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | kOpenFlags, 0666));
        if (!file.valid() || !lockExclusive(file.get())) {
            return false;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
            return false;
        }
        if (::lstat(path.c_str(), &named) != 0 || named.st_dev != opened.st_dev ||
            named.st_ino != opened.st_ino) {
            continue;  // another writer replaced the file while we waited for the lock
        }
        removeLeftovers(path);
        const std::optional<std::string> text = posix::readWhole(file.get());
        if (!text) {
            return false;
        }
        std::string updated = *text;
        for (const SettingsValue& value : values) {
            std::optional<std::string> next =
                ini::fileWithValue(updated, value.section, value.key, value.value);
            if (!next) {
                return false;
            }
            updated = std::move(*next);
        }
        return updated == *text || replaceFile(path, updated, opened);
    }
    return false;
}

}  // namespace nwmp
