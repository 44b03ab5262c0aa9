// A program the package installed already has its menu entry: the association names that entry
// and writes no second one of its own.

#include <cstdlib>
#include <string>

#include "association_test_support.hpp"
#include "common/scoped_environment.hpp"

namespace nwmp::xdg::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(AssociationTest, AnInstalledProgramIsRegisteredThroughItsInstalledEntry) {
    // The package's layout: the program in its folder, a command linking to it, its entry.
    const fs::path usr = home_.root / "usr";
    const fs::path installed = usr / "lib" / "norvalent-wmp3" / "NorvalentWMP3TE";
    home_.makeRecordingProgram(installed);
    fs::create_directories(usr / "bin");
    fs::create_symlink("../lib/norvalent-wmp3/NorvalentWMP3TE", usr / "bin" / "NorvalentWMP3TE");
    writeAll(usr / "share" / "applications" / "norvalent-wmp3-standard.desktop",
             "[Desktop Entry]\nType=Application\nName=Norvalent WMP 3 TE\n"
             "Exec=NorvalentWMP3TE %f\nMimeType=audio/mpeg;\n");
    const nwmp::testing::ScopedEnvironment environment({
        {"XDG_DATA_DIRS", (usr / "share").string() + ":/usr/share"},
        {"PATH", (usr / "bin").string() + ":" + std::getenv("PATH")},
    });

    ASSERT_TRUE(registerFor("mp3", installed));
    EXPECT_EQ(queryDefault("audio/mpeg"), "norvalent-wmp3-standard.desktop");
    EXPECT_TRUE(filesBelow(home_.data / "applications").empty());

    ASSERT_TRUE(registerFor("wav", program_)) << "a copy elsewhere";
    EXPECT_TRUE(fs::exists(entryFile(program_))) << "gets an entry of its own";

    ASSERT_TRUE(service_.removeExtension("mp3"));
    EXPECT_NE(queryDefault("audio/mpeg"), "norvalent-wmp3-standard.desktop");
}

}  // namespace
}  // namespace nwmp::xdg::testing
