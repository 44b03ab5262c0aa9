#pragma once

// A throw-away XDG home for one test: data, config and home folders under /tmp, made the
// process's (and so every child's) XDG_DATA_HOME, XDG_CONFIG_HOME and HOME, and restored after.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/file_text.hpp"
#include "common/scoped_environment.hpp"
#include "common/temp_folder.hpp"

namespace nwmp::xdg::testing {

class TempXdgHome {
  public:
    TempXdgHome();
    TempXdgHome(const TempXdgHome&) = delete;
    TempXdgHome& operator=(const TempXdgHome&) = delete;

    // A program that writes the arguments it was started with, one a line, to launchRecord().
    void makeRecordingProgram(const std::filesystem::path& program) const;
    std::filesystem::path launchRecord() const { return root / "launched.txt"; }

    std::filesystem::path root;
    std::filesystem::path data;
    std::filesystem::path config;
    std::filesystem::path home;

  private:
    nwmp::testing::TempFolder folder_;
    std::optional<nwmp::testing::ScopedEnvironment> environment_;
};

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output, without its final line break
};

// Runs a command with the current environment and waits for it, at most a minute.
CommandResult runCommand(const std::vector<std::string>& arguments);

using nwmp::testing::readAll;
using nwmp::testing::writeAll;

// The file's text once it exists, or nothing when the timeout passes first.
std::optional<std::string> waitForFile(const std::filesystem::path& file,
                                       std::chrono::milliseconds timeout);

// Every file below the folder, as paths relative to it.
std::vector<std::string> filesBelow(const std::filesystem::path& folder);

}  // namespace nwmp::xdg::testing
