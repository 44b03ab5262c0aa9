// Where the settings file lives, tried on real folders: the program's folder while a write there
// succeeds, the user's own file otherwise. Runs as an unprivileged user, so that read-only means
// read-only.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "common/located_settings_file.hpp"
#include "platform/linux/settings_file/posix_settings_places.hpp"
#include "temp_folder.hpp"

namespace nwmp {
namespace {

namespace fs = std::filesystem;

struct LocationCase {
    const char* name;
    bool folderWritable;
    std::optional<std::string> beside;  // the file beside the program
    bool besideWritable;
    std::optional<std::string> perUser;  // the user's own file
    int readBefore;                      // ResumePlay as read before any write
    bool saves;                          // false: the settings are locked, and nothing changes
    bool writesBeside;                   // where the first write lands
    bool perUserKeepsBeside;             // the user's new file began from the one beside
};

const LocationCase kCases[] = {
    {"WritableFolder", true, std::nullopt, true, std::nullopt, -1, true, true, false},
    {"WritableFolderWinsOverTheUsersFile", true, "ResumePlay=1\n", true, "ResumePlay=0\n", 1, true,
     true, false},
    {"ReadOnlyFolderWithoutAFile", false, std::nullopt, true, std::nullopt, -1, true, false, false},
    {"ReadOnlyFolderWithAFileBeside", false, "ResumePlay=1\n", false, std::nullopt, 1, true, false,
     true},
    {"ReadOnlyFileInAWritableFolderIsLocked", true, "ResumePlay=1\n", false, std::nullopt, 1, false,
     true, false},
    {"UsersFileAlreadyThere", false, "ResumePlay=1\n", false, "ResumePlay=0\n", 0, true, false,
     false},
};

void PrintTo(const LocationCase& c, std::ostream* out) {
    *out << c.name;
}

std::optional<std::string> contents(const fs::path& file) {
    std::ifstream in(file);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void put(const fs::path& file, const std::string& body) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "[Norvalent WMP 3]\n" << body;
}

class SettingsLocation : public ::testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocation, ReadsAndWritesTheFileTheRuleNames) {
    const LocationCase& c = GetParam();
    testing::TempFolder root;
    const fs::path program = root.path() / "program";
    const SettingsCandidates candidates{
        .besideProgram = program / "nwmpset.ini",
        .perUser = root.path() / "config" / "norvalent-wmp3" / "nwmpset.ini",
    };
    fs::create_directories(program);
    if (c.beside) {
        put(candidates.besideProgram, *c.beside);
        if (!c.besideWritable) {
            ::chmod(candidates.besideProgram.c_str(), 0444);
        }
    }
    if (c.perUser) {
        put(candidates.perUser, *c.perUser);
    }
    if (!c.folderWritable) {
        ::chmod(program.c_str(), 0555);
        ASSERT_FALSE(PosixSettingsPlaces().folderTakesSettings(program / "x"))
            << "a folder without write permission takes settings";
    }
    const std::optional<std::string> besideBefore = contents(candidates.besideProgram);
    const std::optional<std::string> perUserBefore = contents(candidates.perUser);

    LocatedSettingsFile settings([&candidates] { return candidates; });
    EXPECT_EQ(settings.readInt("Norvalent WMP 3", "ResumePlay", -1), c.readBefore);
    ASSERT_EQ(settings.writeText("Screen", "Height", "500"), c.saves);
    EXPECT_EQ(settings.readInt("Screen", "Height", 0), c.saves ? 500 : 0);
    EXPECT_EQ(settings.readInt("Norvalent WMP 3", "ResumePlay", -1), c.readBefore);
    if (!c.saves) {
        EXPECT_EQ(contents(candidates.besideProgram), besideBefore);
        EXPECT_EQ(contents(candidates.perUser), perUserBefore);
        return;
    }

    const fs::path& written = c.writesBeside ? candidates.besideProgram : candidates.perUser;
    const fs::path& untouched = c.writesBeside ? candidates.perUser : candidates.besideProgram;
    EXPECT_NE(contents(written).value_or("").find("Height=500"), std::string::npos);
    EXPECT_EQ(contents(untouched), c.writesBeside ? perUserBefore : besideBefore);
    if (c.perUserKeepsBeside) {
        EXPECT_NE(contents(candidates.perUser).value_or("").find(*c.beside), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLocation, ::testing::ValuesIn(kCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PerUserSettingsFile, FollowsEachPlatformsConvention) {
    EXPECT_EQ(freedesktopSettingsFile("/x/cfg", "/home/u"), "/x/cfg/norvalent-wmp3/nwmpset.ini");
    EXPECT_EQ(freedesktopSettingsFile("relative", "/home/u"),
              "/home/u/.config/norvalent-wmp3/nwmpset.ini");
    EXPECT_EQ(freedesktopSettingsFile("", ""), "");
    EXPECT_EQ(windowsSettingsFile("C:\\Users\\u\\AppData\\Roaming"),
              "C:\\Users\\u\\AppData\\Roaming\\Norvalent WMP 3\\nwmpset.ini");
    EXPECT_EQ(windowsSettingsFile(""), "");
}

}  // namespace
}  // namespace nwmp
