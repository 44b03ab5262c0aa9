#pragma once

// Whole-file reads and writes on POSIX descriptors, for the settings file and its first copy.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace nwmp::posix {

// An open descriptor, closed at the end.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~FileDescriptor();
    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    // Closes now and tells whether everything written reached the file.
    bool close();

  private:
    int fd_;
};

// The settings file holds a few hundred bytes; anything far larger is not ours to read whole.
inline constexpr std::size_t kLargestSettingsFile = 16 * 1024 * 1024;

// The whole regular file behind fd; nothing for any other kind of file, one too large, or a
// failed read.
std::optional<std::string> readWhole(int fd);

// The whole regular file at path, opened so that a FIFO or a terminal cannot block or adopt us.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Writes all of text to fd; false when any of it could not be written.
bool writeWhole(int fd, std::string_view text);

}  // namespace nwmp::posix
