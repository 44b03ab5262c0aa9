#include "platform/linux/association/text_file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace nwmp::xdg {
namespace {

namespace fs = std::filesystem;

bool hasWriteBit(const fs::path& path) {
    std::error_code error;
    const fs::perms perms = fs::status(path, error).permissions();
    if (error) {
        return false;
    }
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (perms & kAnyWrite) != fs::perms::none && ::access(path.c_str(), W_OK) == 0;
}

bool writeAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);  // best effort: the rename itself already happened
        ::close(descriptor);
    }
}

}  // namespace

std::optional<std::string> readTextFile(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad()) {
        return std::nullopt;
    }
    return text;
}

bool writeTextFileAtomically(const fs::path& link, std::string_view text) {
    // A file kept elsewhere and linked here (a dotfiles repository) is written where it lives;
    // renaming over the link would cut it off.
    std::error_code missing;  // a file that does not exist yet is no link
    const bool isLink = fs::is_symlink(fs::symlink_status(link, missing));
    std::error_code error;
    const fs::path file = isLink ? fs::canonical(link, error) : link;
    if (error) {
        return false;
    }
    const fs::path folder = file.parent_path();
    std::string pattern =
        (folder / std::string(".").append(file.filename().string()).append(".XXXXXX")).string();
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat existing {};
    const mode_t mode = ::stat(file.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    const bool written =
        ::fchmod(descriptor, mode) == 0 && writeAll(descriptor, text) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(pattern.c_str(), file.c_str()) != 0) {
        ::unlink(pattern.c_str());
        return false;
    }
    syncFolder(folder);
    const auto readBack = readTextFile(file);
    return readBack && *readBack == text;
}

bool mayWrite(const fs::path& folder, const fs::path& file) {
    std::error_code error;
    if (!fs::exists(folder, error)) {
        fs::path ancestor = folder.parent_path();
        while (!ancestor.empty() && !fs::exists(ancestor, error) &&
               ancestor != ancestor.root_path()) {
            ancestor = ancestor.parent_path();
        }
        if (!hasWriteBit(ancestor)) {
            return false;
        }
    }
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error) || !hasWriteBit(folder)) {
        return false;
    }
    if (file.empty() || !fs::exists(file, error)) {
        return true;
    }
    const fs::path target = fs::canonical(file, error);
    return !error && hasWriteBit(target) && hasWriteBit(target.parent_path());
}

bool removeFile(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
    std::error_code missing;
    return !error && !fs::exists(fs::symlink_status(file, missing));
}

}  // namespace nwmp::xdg
