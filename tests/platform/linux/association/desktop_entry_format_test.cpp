#include "platform/linux/association/desktop_entry_format.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace nwmp::xdg {
namespace {

struct CommandCase {
    const char* command;
    std::optional<std::string> program;
};

void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << c.command;
}

class ProgramFromOpenCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(ProgramFromOpenCommand, TakesEverythingBeforeTheFinalPlaceholder) {
    EXPECT_EQ(programPathFromOpenCommand(GetParam().command), GetParam().program)
        << GetParam().command;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramFromOpenCommand,
    testing::Values(CommandCase{"/opt/nwmp/NorvalentWMP3TE %1", "/opt/nwmp/NorvalentWMP3TE"},
                    CommandCase{"/home/太郎/メディア プレーヤー/NorvalentWMP3TE %1",
                                "/home/太郎/メディア プレーヤー/NorvalentWMP3TE"},
                    CommandCase{"\"/opt/a b/player\" %1", "/opt/a b/player"},
                    CommandCase{"/opt/two  blanks/player  %1", "/opt/two  blanks/player "},
                    CommandCase{"/opt/nwmp/NorvalentWMP3TE", std::nullopt},    // no placeholder
                    CommandCase{"/opt/nwmp/NorvalentWMP3TE%1", std::nullopt},  // no blank before it
                    CommandCase{"NorvalentWMP3TE %1", std::nullopt},           // relative
                    CommandCase{" %1", std::nullopt},                          // no program
                    CommandCase{"/opt/nwmp/ %1", std::nullopt},                // a folder
                    CommandCase{"/opt/nw\nmp/NorvalentWMP3TE %1", std::nullopt},  // control
                    CommandCase{"/opt/100%/NorvalentWMP3TE %1", std::nullopt}));

TEST(DesktopFileName, IsStableForOneProgramAndDiffersBetweenPrograms) {
    const std::string standard = desktopFileNameFor("/opt/nwmp/NorvalentWMP3TE");
    // The same name from every build: the 64-bit FNV-1a hash of the path, worked out apart.
    EXPECT_EQ(standard, "norvalent-wmp3-norvalentwmp3te-8b55217281d7995c.desktop");
    EXPECT_NE(standard, desktopFileNameFor("/opt/nwmp/NorvalentWMP3TEPemra"));
    EXPECT_NE(standard, desktopFileNameFor("/opt/other/NorvalentWMP3TE"));
    EXPECT_TRUE(standard.starts_with(kOwnPrefix));
    EXPECT_TRUE(standard.ends_with(".desktop"));
}

TEST(DesktopFileName, UsesOnlySafeCharactersWhateverThePath) {
    const std::string name = desktopFileNameFor("/home/太郎/My \"Player\"/$プレーヤー;%1.exe");
    EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-."), std::string::npos)
        << name;
}

TEST(StringValues, EscapeWhatWouldEndOrBendTheLine) {
    EXPECT_EQ(escapeStringValue(" a\\b\nc\td"), "\\sa\\\\b\\nc\\td");
}

}  // namespace
}  // namespace nwmp::xdg
