// The settings file on disk: where it lives, files it cannot use, and several programs at once.

#include "common/private_profile_file.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "file_text.hpp"
#include "temp_folder.hpp"

namespace nwmp {
namespace {

namespace fs = std::filesystem;

using testing::readAll;
using testing::writeAll;

// The child's wait status, or -1 when it had to be killed for running past the timeout.
int waitForChild(pid_t pid, std::chrono::seconds timeout = std::chrono::seconds(60)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status;
}

// Runs work in a child process and gives its wait status; the child's exit code is 0 when work
// returned true.
int inChildProcess(const std::function<bool()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(work() ? 0 : 1);
    }
    return pid < 0 ? -1 : waitForChild(pid);
}

// Everything in a folder, with what each entry holds.
std::string folderState(const fs::path& folder) {
    std::ostringstream state;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        state << entry.path().filename() << ':' << static_cast<int>(entry.symlink_status().type());
        if (entry.is_regular_file() && !entry.is_symlink()) {
            state << ':' << std::hash<std::string>{}(readAll(entry.path()));
        }
        state << '\n';
    }
    return state.str();
}

class PrivateProfileFileTest : public ::testing::Test {
  protected:
    testing::TempFolder folder;
    fs::path path = folder.path() / kSettingsFileName;
    PrivateProfileFile file{[this] { return path; }};
};

TEST(SettingsPathBesideProgram, IsInTheRunningProgramsOwnFolder) {
    const fs::path path = settingsPathBesideProgram();
    EXPECT_EQ(path.filename(), kSettingsFileName);
    EXPECT_TRUE(fs::equivalent(path.parent_path(), fs::canonical("/proc/self/exe").parent_path()));
}

TEST_F(PrivateProfileFileTest, ProgramsInDifferentFoldersShareNothing) {
    testing::TempFolder otherFolder;
    const fs::path ownPath = path;
    ASSERT_TRUE(file.writeText("Norvalent WMP 3", "AlwaysFront", "1"));
    path = otherFolder.path() / kSettingsFileName;
    EXPECT_EQ(file.readInt("Norvalent WMP 3", "AlwaysFront", 0), 0);
    ASSERT_TRUE(file.writeText("Norvalent WMP 3", "AlwaysFront", "0"));
    path = ownPath;
    EXPECT_EQ(file.readInt("Norvalent WMP 3", "AlwaysFront", 0), 1);
}

struct OddCase {
    const char* why;
    std::string content;
    std::int32_t left;  // what Left reads, default -1
};

TEST_F(PrivateProfileFileTest, OddContentReadsSafelyAndWritesKeepIt) {
    using namespace std::string_literals;
    std::mt19937 random(1);
    std::string garbage(4096, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random());
    }
    const std::string longLine = "[Screen]\nJunk=" + std::string(1 << 20, 'x') + "\nLeft=9\n";
    const OddCase cases[] = {
        {"binary garbage", garbage, -1},
        {"NUL bytes", "[Screen]\nLeft=5\0 7\nTop=\0 7\n"s, 5},
        {"a line of a megabyte", longLine, 9},
    };
    for (const OddCase& c : cases) {
        SCOPED_TRACE(c.why);
        writeAll(path, c.content);
        EXPECT_EQ(file.readInt("Screen", "Left", -1), c.left);
        EXPECT_EQ(file.readInt("Screen", "Top", -1), -1);
        ASSERT_TRUE(file.writeText("Screen", "Height", "409"));
        EXPECT_EQ(file.readInt("Screen", "Height", -1), 409);
        EXPECT_EQ(file.readInt("Screen", "Left", -1), c.left);
        EXPECT_TRUE(readAll(path).starts_with(c.content));
    }
}

struct UnusableCase {
    const char* why;
    bool readable;  // whether Left still reads its stored 3
    std::function<void(const fs::path& folder, fs::path& path)> make;
};

TEST(PrivateProfileFileUnusable, WritesChangeNothingAndUnreadableFilesGiveDefaults) {
    const auto settings = [](const fs::path& folder) { return folder / kSettingsFileName; };
    const std::string stored = "[Screen]\nLeft=3\n";
    const UnusableCase cases[] = {
        {"a folder", false, [&](auto& f, auto& p) { fs::create_directory(p = settings(f)); }},
        {"a read-only file", true,
         [&](auto& f, auto& p) {
             writeAll(p = settings(f), stored);
             fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
         }},
        {"in a read-only folder", true,
         [&](auto& f, auto& p) {
             writeAll(p = settings(f), stored);
             fs::permissions(f, fs::perms::owner_read | fs::perms::owner_exec);
         }},
        {"in a missing folder", false, [&](auto& f, auto& p) { p = settings(f / "gone"); }},
        {"far too large", false,
         [&](auto& f, auto& p) { writeAll(p = settings(f), stored + std::string(17 << 20, ';')); }},
        {"a FIFO", false, [&](auto& f, auto& p) { ::mkfifo((p = settings(f)).c_str(), 0600); }},
        {"a dangling link", false,
         [&](auto& f, auto& p) { fs::create_symlink(f / "gone.ini", p = settings(f)); }},
    };
    for (const UnusableCase& c : cases) {
        SCOPED_TRACE(c.why);
        testing::TempFolder folder;
        fs::path path;
        c.make(folder.path(), path);
        const std::string before = folderState(folder.path());
        PrivateProfileFile file([&] { return path; });
        EXPECT_EQ(file.readInt("Screen", "Left", -1), c.readable ? 3 : -1);
        EXPECT_EQ(file.readText("Screen", "Left", "dflt", 16), c.readable ? "3" : "dflt");
        EXPECT_FALSE(file.writeText("Screen", "Left", "4"));
        EXPECT_EQ(folderState(folder.path()), before);
    }
}

// Another group than the test's own, for tests that run with the right to give files away.
constexpr gid_t kOtherGroup = 4242;

TEST_F(PrivateProfileFileTest, WritesThroughALinkKeepingOwnerGroupAndPermissions) {
    const fs::path real = folder.path() / "real.ini";
    writeAll(real, "[Screen]\nLeft=3\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const gid_t group = ::geteuid() == 0 ? kOtherGroup : ::getegid();
    ASSERT_EQ(::chown(real.c_str(), ::geteuid(), group), 0);
    fs::create_symlink(real, path);

    ASSERT_TRUE(file.writeText("Screen", "Top", "5"));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readAll(real), "[Screen]\nLeft=3\nTop=5\n");
    struct stat after {};
    ASSERT_EQ(::stat(real.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, ::geteuid());
    EXPECT_EQ(after.st_gid, group);
}

TEST_F(PrivateProfileFileTest, ConcurrentWritersLoseNoKey) {
    constexpr int kWriters = 4;
    constexpr int kKeysEach = 25;
    const auto section = [](int writer) { return writer % 2 == 0 ? "Screen" : "ResumeInfo"; };
    const auto key = [](int writer, int k) {
        return std::string("w")
            .append(std::to_string(writer))
            .append("k")
            .append(std::to_string(k));
    };
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            PrivateProfileFile own([p = path] { return p; });
            bool ok = true;
            for (int k = 0; k < kKeysEach; ++k) {
                // Half the writers store a key of the other section along in the same update.
                const std::string value = std::to_string(k), name = key(w, k), other = name + "x";
                const SettingsValue both[] = {{section(w), name, value},
                                              {section(w + 1), other, value}};
                ok = (w < kWriters / 2 ? own.writeText(section(w), name, value)
                                       : own.writeTexts(both)) &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        ASSERT_GT(pid, 0);
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        const int status = waitForChild(pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    for (int w = 0; w < kWriters; ++w) {
        for (int k = 0; k < kKeysEach; ++k) {
            EXPECT_EQ(file.readInt(section(w), key(w, k), -1), k) << key(w, k);
            if (w >= kWriters / 2) {
                EXPECT_EQ(file.readInt(section(w + 1), key(w, k) + "x", -1), k) << key(w, k);
            }
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST_F(PrivateProfileFileTest, WriterKilledMidWriteLeavesThePreviousFileWhole) {
    const std::string before = "[Norvalent WMP 3]\nAlwaysFront=1\n[ResumeInfo]\nPosition=12\n";
    writeAll(path, before);

    // The file size limit kills the writer with SIGXFSZ part-way through the new file's text.
    const int status = inChildProcess([this] {
        const rlimit noCore{0, 0};
        const rlimit small{4096, 4096};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::signal(SIGXFSZ, SIG_DFL);
        return file.writeText("ResumeInfo", "FilePath", std::string(64 * 1024, 'x'));
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readAll(path), before);

    // The dead writer's lock went with it, and its leftover is cleared by the next write, as is
    // a probe file an earlier version left when killed.
    writeAll(folder.path() / ".nwmpset.ini.probe-a1B2c3", "");
    ASSERT_TRUE(file.writeText("ResumeInfo", "Position", "13"));
    EXPECT_EQ(readAll(path), "[Norvalent WMP 3]\nAlwaysFront=1\n[ResumeInfo]\nPosition=13\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace nwmp
