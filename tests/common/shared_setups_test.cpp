// nwmpset.ini in shared, installed and privileged set-ups, with real users, a real group and real
// links: every save either lands where the next start of the player and of the tool reads it, or
// the settings are locked and nothing changes; never a save that vanishes. The programs' own
// settings code runs as each user (settings_as_user). Needs the superuser, who makes and removes
// the scratch users and group.

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "temp_folder.hpp"

namespace nwmp {
namespace {

namespace fs = std::filesystem;

// Runs a command and gives what it printed, or "<failed>" when it did not end well within a
// minute.
std::string run(const std::vector<std::string>& command) {
    std::string line = "timeout 60";
    for (const std::string& word : command) {
        line.append(" '");
        for (const char c : word) {
            line.append(c == '\'' ? std::string("'\\''") : std::string(1, c));
        }
        line.append("'");
    }
    FILE* out = ::popen(line.c_str(), "r");
    if (out == nullptr) {
        return "<failed>";
    }
    std::string printed;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, out)) > 0;) {
        printed.append(chunk, got);
    }
    const int status = ::pclose(out);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? printed : "<failed>";
}

void put(const fs::path& file, const std::string& text, uid_t uid, gid_t gid, mode_t mode) {
    std::ofstream(file, std::ios::binary) << text;
    ASSERT_EQ(::chown(file.c_str(), uid, gid), 0) << file;
    ASSERT_EQ(::chmod(file.c_str(), mode), 0) << file;
}

void folder(const fs::path& path, uid_t uid, gid_t gid, mode_t mode) {
    fs::create_directories(path);
    ASSERT_EQ(::chown(path.c_str(), uid, gid), 0) << path;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

constexpr const char* kOldSettings =
    "[Norvalent WMP 3]\nAlwaysFront=0\n[Screen]\nHeight=100\n"
    "[ResumeInfo]\nFilePath=/m/old.avi\nPosition=100\n";

struct User {
    std::string name;  // empty: the superuser
    uid_t uid = 0;
    gid_t gid = 0;
    fs::path home;
};

// Scratch users alice and bob, both in the scratch group, and the superuser; each with a home of
// their own, and the program's folder. Everything goes again at the end.
class Scratch {
    testing::TempFolder root_;  // first: everything below lives in it

  public:
    Scratch() : suffix_(std::to_string(::getpid()) + "x" + std::to_string(sets_++)) {
        ::chmod(root_.path().c_str(), 0755);
        group_ = "nwmpg" + suffix_;
        made_ = run({"/usr/sbin/groupadd", group_}) != "<failed>";
        gid = made_ ? ::getgrnam(group_.c_str())->gr_gid : 0;
        alice = make("nwmpa");
        bob = make("nwmpb");
        superuser.home = root_.path() / "home-root";
        folder(superuser.home, 0, 0, 0700);
    }
    ~Scratch() {
        ::umount2(program.c_str(), MNT_DETACH);  // the full-disk row's own file system
        for (const User* user : {&alice, &bob}) {
            run({"/usr/sbin/userdel", user->name});
        }
        run({"/usr/sbin/groupdel", group_});
    }
    bool ready() const { return made_ && alice.uid != 0 && bob.uid != 0; }
    fs::path path(const std::string& name) const { return root_.path() / name; }
    fs::path perUserFile(const User& user) const {
        return user.home / ".config/norvalent-wmp3/nwmpset.ini";
    }

    // Runs the programs' settings code as the user, in the program folder.
    std::string as(const User& user, const std::vector<std::string>& words) const {
        std::vector<std::string> command;
        if (!user.name.empty()) {
            command = {"/usr/sbin/runuser", "-u", user.name, "--"};
        }
        command.insert(command.end(), {"env", "-u", "XDG_CONFIG_HOME", "HOME=" + user.home.string(),
                                       helper_.string(), program.string()});
        command.insert(command.end(), words.begin(), words.end());
        return run(command);
    }

    User alice, bob, superuser;
    gid_t gid = 0;
    fs::path program = path("program");

  private:
    User make(const std::string& prefix) {
        User user{prefix + suffix_, 0, 0, {}};
        if (!made_ || run({"/usr/sbin/useradd", "-M", "-U", "-G", group_, "-s", "/usr/sbin/nologin",
                           user.name}) == "<failed>") {
            return {};
        }
        const passwd* entry = ::getpwnam(user.name.c_str());
        user.uid = entry->pw_uid;
        user.gid = entry->pw_gid;
        user.home = path("home-" + prefix);
        folder(user.home, user.uid, user.gid, 0700);
        return user;
    }

    static inline int sets_ = 0;  // scratch sets made so far in this process
    std::string suffix_;
    std::string group_;
    bool made_ = false;
    fs::path helper_ = [this] {
        const fs::path copy = root_.path() / "settings_as_user";
        fs::copy_file(SETTINGS_AS_USER, copy);
        return copy;
    }();
};

enum class Saves { All, AllButResume, Nothing };

struct Step {
    User Scratch::*saver;
    Saves saves;
    std::function<void(Scratch&)> before = {};
};

struct Row {
    const char* name;
    std::function<void(Scratch&)> arrange;
    std::vector<User Scratch::*> readers;  // whose next start reads back what the saves left
    std::vector<Step> steps;
    const char* filePath = "/m/new.avi";
    std::function<void(Scratch&)> check = {};  // what else the row must leave
    bool startsWithSettings = true;            // false: no settings file anywhere at first
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

void noFileOfTheirOwn(Scratch& s, const User& user) {
    EXPECT_FALSE(fs::exists(s.perUserFile(user))) << user.name << " got a file of their own";
}

// A small file system of its own, filled to the last block and the last file.
void fillFolder(Scratch& s) {
    fs::create_directories(s.program);
    ASSERT_EQ(::mount("nwmp-full", s.program.c_str(), "tmpfs", 0, "size=64k,nr_inodes=16"), 0)
        << "cannot mount a file system for the full-disk row";
    folder(s.program, s.alice.uid, s.alice.gid, 0755);
    put(s.program / "nwmpset.ini", kOldSettings, s.alice.uid, s.alice.gid, 0644);
    std::ofstream(s.program / "filler") << std::string(1 << 20, 'x');
    for (int i = 0; std::ofstream(s.program / std::to_string(i)) && i < 64; ++i) {
    }
}

void freeFolder(Scratch& s) {
    for (const auto& entry : fs::directory_iterator(s.program)) {
        if (entry.path().filename() != "nwmpset.ini") {
            fs::remove(entry.path());
        }
    }
}

struct timespec changedAt(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ctim;
}

const Row kRows[] = {
    {"A_UsersOwnFileInAGroupNotTheirs",
     [](Scratch& s) {
         folder(s.program, 0, 0, 0755);
         folder(s.perUserFile(s.alice).parent_path(), s.alice.uid, s.alice.gid, 0700);
         put(s.perUserFile(s.alice), kOldSettings, s.alice.uid, 0, 0644);
     },
     {&Scratch::alice},
     {{&Scratch::alice, Saves::All}},
     "/m/new.avi",
     [](Scratch& s) {
         struct stat info {};
         ASSERT_EQ(::stat(s.perUserFile(s.alice).c_str(), &info), 0);
         EXPECT_EQ(info.st_uid, s.alice.uid);
         EXPECT_EQ(info.st_mode & 07777, 0644u) << "the new group gained what the old had";
     }},
    {"B_AnotherMembersFileInASharedFolder",
     [](Scratch& s) {
         folder(s.program, 0, s.gid, 02775);
         put(s.program / "nwmpset.ini", kOldSettings, s.alice.uid, s.gid, 0664);
     },
     {&Scratch::alice, &Scratch::bob},
     {{&Scratch::bob, Saves::All}, {&Scratch::alice, Saves::All}},
     "/m/new.avi",
     [](Scratch& s) {
         noFileOfTheirOwn(s, s.bob);
         noFileOfTheirOwn(s, s.alice);
     }},
    {"C_ReadOnlyFileInTheUsersOwnFolder",
     [](Scratch& s) {
         folder(s.program, s.alice.uid, s.alice.gid, 0755);
         put(s.program / "nwmpset.ini", kOldSettings, s.alice.uid, s.alice.gid, 0444);
     },
     {&Scratch::alice},
     {{&Scratch::alice, Saves::Nothing}},
     "/m/new.avi",
     [](Scratch& s) { noFileOfTheirOwn(s, s.alice); }},
    {"C_AnotherUsersFileInASharedFolder",
     [](Scratch& s) {
         folder(s.program, 0, s.gid, 02775);
         put(s.program / "nwmpset.ini", kOldSettings, s.alice.uid, s.gid, 0644);
     },
     {&Scratch::alice, &Scratch::bob},
     {{&Scratch::bob, Saves::Nothing}},
     "/m/new.avi",
     [](Scratch& s) { noFileOfTheirOwn(s, s.bob); }},
    {"D_FullFolderUntilSpaceReturns",
     fillFolder,
     {&Scratch::alice},
     {{&Scratch::alice, Saves::Nothing}, {&Scratch::alice, Saves::All, freeFolder}},
     "/m/new.avi",
     [](Scratch& s) { noFileOfTheirOwn(s, s.alice); }},
    {"E_AnotherUsersLinkMeetsTheSuperuser",
     [](Scratch& s) {
         folder(s.program, 0, s.gid, 02775);
         folder(s.path("secret"), 0, 0, 0700);
         put(s.path("secret/target.ini"), kOldSettings, 0, 0, 0644);
         fs::create_symlink(s.path("secret/target.ini"), s.program / "nwmpset.ini");
         ASSERT_EQ(::lchown((s.program / "nwmpset.ini").c_str(), s.bob.uid, s.bob.gid), 0);
     },
     {&Scratch::superuser},
     {{&Scratch::superuser, Saves::Nothing}},
     "/m/new.avi",
     [](Scratch& s) {
         std::ifstream target(s.path("secret/target.ini"));
         EXPECT_EQ(std::string(std::istreambuf_iterator<char>(target), {}), kOldSettings);
         EXPECT_TRUE(fs::is_symlink(s.program / "nwmpset.ini"));
         noFileOfTheirOwn(s, s.superuser);
     }},
    {"F_AFileNameTheFileCannotHold",
     [](Scratch& s) {
         folder(s.program, s.alice.uid, s.alice.gid, 0755);
         put(s.program / "nwmpset.ini", kOldSettings, s.alice.uid, s.alice.gid, 0644);
     },
     {&Scratch::alice},
     {{&Scratch::alice, Saves::AllButResume}},
     "/m/line\nbreak.avi"},
    {"H_StartsMakeNoFilesInTheFolder",
     [](Scratch& s) { folder(s.program, s.alice.uid, s.alice.gid, 0755); },
     {&Scratch::alice, &Scratch::bob},
     {},
     "/m/new.avi",
     [](Scratch& s) { EXPECT_TRUE(fs::is_empty(s.program)); },
     false},
};

class SharedSetups : public ::testing::TestWithParam<Row> {};

TEST_P(SharedSetups, EverySaveIsReadBackOrTheSettingsAreLocked) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "makes scratch users and a group: run as the superuser, as CI does";
    }
    const Row& row = GetParam();
    Scratch s;
    ASSERT_TRUE(s.ready()) << "could not make the scratch users and group";
    row.arrange(s);
    if (HasFatalFailure()) {
        return;
    }
    std::string expected = row.startsWithSettings
                               ? "AlwaysFront=0 Height=100 FilePath=/m/old.avi Position=100\n"
                               : "AlwaysFront=0 Height=409 FilePath= Position=0\n";
    const struct timespec changed = changedAt(s.program);
    for (User Scratch::*reader : row.readers) {
        EXPECT_EQ(s.as(s.*reader, {"read"}), expected) << "before any save";
    }
    if (row.steps.empty()) {
        const struct timespec now = changedAt(s.program);
        EXPECT_TRUE(now.tv_sec == changed.tv_sec && now.tv_nsec == changed.tv_nsec)
            << "reading the settings made or removed a file in the program's folder";
    }
    int value = 300;
    for (const Step& step : row.steps) {
        if (step.before) {
            step.before(s);
        }
        const std::string saved = std::to_string(++value);
        const char* said = step.saves == Saves::All            ? "tool=1 geometry=1 resume=1\n"
                           : step.saves == Saves::AllButResume ? "tool=1 geometry=1 resume=0\n"
                                                               : "tool=0 geometry=0 resume=0\n";
        EXPECT_EQ(s.as(s.*step.saver, {"save", saved, row.filePath}), said)
            << (s.*step.saver).name << " saving " << saved;
        if (step.saves == Saves::All) {
            expected = "AlwaysFront=1 Height=" + saved + " FilePath=" + row.filePath +
                       " Position=" + saved + "\n";
        } else if (step.saves == Saves::AllButResume) {
            expected.replace(0, expected.find(" FilePath"), "AlwaysFront=1 Height=" + saved);
        }
        for (User Scratch::*reader : row.readers) {
            EXPECT_EQ(s.as(s.*reader, {"read"}), expected)
                << (s.*reader).name << " after " << (s.*step.saver).name << " saved " << saved;
        }
    }
    if (row.check) {
        row.check(s);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SharedSetups, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nwmp
