#include "temp_xdg_home.hpp"

#include <QStringList>
#include <algorithm>
#include <thread>

#include "tests/platform/linux/support/commands.hpp"

namespace nwmp::xdg::testing {
namespace fs = std::filesystem;

TempXdgHome::TempXdgHome() {
    root = folder_.path();
    data = root / "data";
    config = root / "config";
    home = root / "home";
    for (const fs::path& folder : {data, config, home, root / "config-dirs"}) {
        fs::create_directories(folder);
    }
    const nwmp::testing::ScopedEnvironment::Variables environment = {
        {"XDG_DATA_HOME", data.string()},
        {"XDG_CONFIG_HOME", config.string()},
        {"HOME", home.string()},
        // The system's own choices in /etc/xdg must not decide a test; its types must.
        {"XDG_CONFIG_DIRS", (root / "config-dirs").string()},
        {"XDG_DATA_DIRS", "/usr/local/share:/usr/share"},
        {"XDG_CURRENT_DESKTOP", std::nullopt},
        // Children started by gio must not reach a real desktop session.
        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (root / "no-bus").string()},
        {"GIO_USE_VFS", "local"},
    };
    environment_.emplace(environment);
}

void TempXdgHome::makeRecordingProgram(const fs::path& program) const {
    fs::create_directories(program.parent_path());
    const std::string record = launchRecord().string();
    writeAll(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record + ".part' && mv '" + record +
                          ".part' '" + record + "'\n");
    fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

CommandResult runCommand(const std::vector<std::string>& arguments) {
    QStringList list;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        list << QString::fromStdString(arguments[i]);
    }
    const auto run = linux_platform::testing::runCommand(QString::fromStdString(arguments.front()),
                                                         list, std::chrono::minutes(1));
    std::string output = run.output.toStdString();
    while (!output.empty() && output.back() == '\n') {
        output.pop_back();
    }
    return {run.exitCode, output};
}

std::optional<std::string> waitForFile(const fs::path& file, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(file)) {
            return readAll(file);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // polling, not a fixed wait
    }
    return std::nullopt;
}

std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_directory(error)) {
            files.push_back(fs::relative(it->path(), folder).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace nwmp::xdg::testing
