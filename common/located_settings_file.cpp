#include "common/located_settings_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

namespace nwmp {

namespace fs = std::filesystem;

namespace {

// Larger than any settings file; a bigger one is not copied whole.
constexpr off_t kLargestCopy = 16 * 1024 * 1024;

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }

  private:
    int fd_;
};

bool hasWritePermission(mode_t mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// A uniquely named new file in the folder, named apart from the settings file's own temporary
// files; the path is empty when the folder refuses it.
struct TempFile {
    std::string path;
    Descriptor file;
};

TempFile makeTempFile(const fs::path& folder, const char* purpose) {
    std::string path = folder / (std::string(".nwmpset.ini.") + purpose + "-XXXXXX");
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    return {fd < 0 ? std::string() : path, Descriptor(fd)};
}

// Whether a file can be made in the folder, by making one and removing it again.
bool folderTakesFiles(const fs::path& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        !hasWritePermission(info.st_mode)) {
        return false;
    }
    const TempFile probe = makeTempFile(folder, "probe");
    return !probe.path.empty() && ::unlink(probe.path.c_str()) == 0;
}

std::string readForCopy(const fs::path& from) {
    const Descriptor file(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > kLargestCopy) {
        return {};
    }
    std::string text;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || text.size() > static_cast<std::size_t>(kLargestCopy)) {
            // What cannot be read is what the user has been reading: defaults.
            return got < 0 ? std::string() : text;
        }
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

bool writeWhole(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Missing folders down to `folder`, each private to the user as configuration folders are.
bool makeFolders(const fs::path& folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path at = folder; !at.empty() && !fs::exists(at, error); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) {
            break;
        }
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return fs::is_directory(folder, error);
}

// Puts a copy of `from` at `file` in one step, unless `file` appears first.
bool startCopy(const fs::path& file, const fs::path& from) {
    const std::string text = readForCopy(from);
    const TempFile temp = makeTempFile(file.parent_path(), "start");
    if (temp.path.empty()) {
        return false;
    }
    const bool written = writeWhole(temp.file.get(), text) && ::fsync(temp.file.get()) == 0;
    // A link never replaces: a file another program started meanwhile, and perhaps already
    // wrote to, stays as it is.
    const bool placed =
        written && (::link(temp.path.c_str(), file.c_str()) == 0 || errno == EEXIST);
    ::unlink(temp.path.c_str());
    return placed;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

bool PosixSettingsPlaces::exists(const fs::path& file) const {
    std::error_code error;
    return fs::exists(file, error);
}

bool PosixSettingsPlaces::canWrite(const fs::path& file) const {
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(file, error)) {
        target = fs::canonical(file, error);  // a link is written through to its target
        if (error) {
            return false;
        }
    }
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || !hasWritePermission(info.st_mode)) {
            return false;
        }
        const Descriptor opened(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
        if (!opened.valid()) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false;
    }
    return folderTakesFiles(target.has_parent_path() ? target.parent_path() : fs::path("."));
}

bool PosixSettingsPlaces::prepare(const fs::path& file, const fs::path& from) {
    if (!makeFolders(file.parent_path())) {
        return false;
    }
    if (from.empty() || exists(file)) {
        return true;
    }
    return startCopy(file, from);
}

SettingsCandidates runningProgramSettingsCandidates() {
    return {
        .besideProgram = settingsPathBesideProgram(),
        .perUser = freedesktopSettingsFile(environment("XDG_CONFIG_HOME"), environment("HOME")),
    };
}

LocatedSettingsFile::LocatedSettingsFile()
    : LocatedSettingsFile(runningProgramSettingsCandidates) {}

LocatedSettingsFile::LocatedSettingsFile(CandidateSource candidates)
    : candidates_(std::move(candidates)),
      reads_([this] { return settingsFileToRead(candidates_(), places_); }),
      writes_([this] { return settingsFileToWrite(candidates_(), places_); }) {}

std::int32_t LocatedSettingsFile::readInt(std::string_view section, std::string_view key,
                                          std::int32_t defaultValue) const {
    return reads_.readInt(section, key, defaultValue);
}

std::string LocatedSettingsFile::readText(std::string_view section, std::string_view key,
                                          std::string_view defaultText,
                                          std::size_t bufferLength) const {
    return reads_.readText(section, key, defaultText, bufferLength);
}

bool LocatedSettingsFile::writeText(std::string_view section, std::string_view key,
                                    std::string_view value) {
    return writes_.writeText(section, key, value);
}

bool LocatedSettingsFile::writeTexts(std::span<const SettingsValue> values) {
    return writes_.writeTexts(values);
}

}  // namespace nwmp
