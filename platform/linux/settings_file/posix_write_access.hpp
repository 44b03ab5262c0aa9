#pragma once

// What the user running the program may do to nwmpset.ini on a POSIX file system, answered
// without changing anything. The choice of place and the write itself both ask here, so a place
// the choice calls writable is one the write writes.
//
// Permissions are the system's own check for the effective user (access control lists and
// read-only file systems included), with one house rule on top: a file or folder without any
// write permission bit is read-only even for the superuser, as a read-only file is on Windows.

#include <sys/stat.h>

#include <filesystem>

namespace nwmp::posix {

// Whether the user may make and replace files in the folder.
bool folderTakesSettings(const std::filesystem::path& folder);

// The file a settings write to `file` changes: the file itself, or where it is a link, the link's
// target. A link is followed only where the link is the user's own or belongs to the owner of
// its folder, as the kernel's protected-symlinks rule allows; another user's link could
// otherwise point an administrator's write at any file. Empty when the user may not write there.
std::filesystem::path writableSettingsTarget(const std::filesystem::path& file);

// The permission bits for a new file that replaces `old` and is owned by `owner`:`group` where
// the old owner or group could not be kept. Nobody gains access through the change: the new owner
// keeps the access they had (read and write at least, which a writer has), a new group gets only
// what the old group and everybody else both had, and everybody else keeps their bits.
mode_t replacementMode(const struct stat& old, uid_t owner, gid_t group, bool ownerWasInGroup);

}  // namespace nwmp::posix
