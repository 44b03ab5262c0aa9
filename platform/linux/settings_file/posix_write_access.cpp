#include "platform/linux/settings_file/posix_write_access.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace nwmp::posix {

namespace fs = std::filesystem;

namespace {

// As many links in a row as the kernel itself follows.
constexpr int kMostLinks = 40;

bool hasWriteBit(mode_t mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool userMay(const fs::path& path, int what) {
    return ::faccessat(AT_FDCWD, path.c_str(), what, AT_EACCESS) == 0;
}

}  // namespace

bool folderTakesSettings(const fs::path& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           hasWriteBit(info.st_mode) && userMay(folder, W_OK | X_OK);
}

fs::path writableSettingsTarget(const fs::path& file) {
    fs::path at = file;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0) {
            // A link to nothing makes no file where it points.
            return errno == ENOENT && links == 0 && folderTakesSettings(folderOf(at)) ? at
                                                                                      : fs::path();
        }
        if (S_ISREG(info.st_mode)) {
            return hasWriteBit(info.st_mode) && userMay(at, W_OK) &&
                           folderTakesSettings(folderOf(at))
                       ? at
                       : fs::path();
        }
        struct stat folder {};
        if (!S_ISLNK(info.st_mode) || links == kMostLinks ||
            ::stat(folderOf(at).c_str(), &folder) != 0 ||
            (info.st_uid != ::geteuid() && info.st_uid != folder.st_uid)) {
            return {};
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1,
                           '\0');
        const ssize_t length = ::readlink(at.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            return {};  // changed while we looked
        }
        target.resize(static_cast<std::size_t>(length));
        at = fs::path(target).is_absolute() ? fs::path(target) : folderOf(at) / target;
    }
}

mode_t replacementMode(const struct stat& old, uid_t owner, gid_t group, bool ownerWasInGroup) {
    const mode_t ownerBits = (old.st_mode >> 6) & 7;
    const mode_t groupBits = (old.st_mode >> 3) & 7;
    const mode_t otherBits = old.st_mode & 7;
    mode_t newOwner = ownerBits;
    if (owner != old.st_uid) {
        newOwner = (ownerWasInGroup ? groupBits : otherBits) | 6;
    }
    const mode_t newGroup = group == old.st_gid ? groupBits : (groupBits & otherBits);
    return (newOwner << 6) | (newGroup << 3) | otherBits;
}

}  // namespace nwmp::posix
