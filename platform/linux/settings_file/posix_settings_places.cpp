#include "platform/linux/settings_file/posix_settings_places.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "common/located_settings_file.hpp"
#include "platform/linux/settings_file/posix_file_io.hpp"
#include "platform/linux/settings_file/posix_write_access.hpp"

namespace nwmp {

namespace fs = std::filesystem;

namespace {

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

// Puts a copy of `from` at `file` in one step, unless `file` appears first. The copy is made
// without a name and named only when whole, so a program killed meanwhile leaves nothing behind;
// a file system without unnamed files gets a named one, removed again at once.
bool startCopy(const fs::path& file, const fs::path& from) {
    // What cannot be read is what the user has been reading: defaults.
    const std::string text = posix::readFile(from).value_or(std::string());
    const fs::path folder = file.parent_path();
    std::string named;
    posix::FileDescriptor copy(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!copy.valid() && (errno == EOPNOTSUPP || errno == EISDIR)) {
        named = folder / ".nwmpset.ini.start-XXXXXX";
        copy = posix::FileDescriptor(::mkostemp(named.data(), O_CLOEXEC));
    }
    if (!copy.valid()) {
        return false;
    }
    const std::string source =
        named.empty() ? "/proc/self/fd/" + std::to_string(copy.get()) : named;
    // A link never replaces: a file another program started meanwhile, and perhaps already
    // wrote to, stays as it is.
    const bool placed =
        posix::writeWhole(copy.get(), text) && ::fsync(copy.get()) == 0 &&
        (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, file.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
         errno == EEXIST);
    if (!named.empty()) {
        ::unlink(named.c_str());
    }
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

bool PosixSettingsPlaces::folderTakesSettings(const fs::path& file) const {
    return posix::folderTakesSettings(file.has_parent_path() ? file.parent_path() : fs::path("."));
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

std::unique_ptr<SettingsPlaces> fileSystemSettingsPlaces() {
    return std::make_unique<PosixSettingsPlaces>();
}

}  // namespace nwmp
