// A program the package installed already has its menu entry: the association names that entry
// and writes no second one of its own.

#include <cstdlib>
#include <optional>
#include <string>

#include "association_test_support.hpp"

namespace nwmp::xdg::testing {
namespace {

namespace fs = std::filesystem;

class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(AssociationTest, AnInstalledProgramIsRegisteredThroughItsInstalledEntry) {
    // The package's layout: the program in its folder, a command linking to it, its entry.
    const fs::path usr = home_.root / "usr";
    const fs::path installed = usr / "lib" / "norvalent-wmp3" / "NorvalentWMP3TE";
    home_.makeRecordingProgram(installed);
    fs::create_directories(usr / "bin");
    fs::create_symlink("../lib/norvalent-wmp3/NorvalentWMP3TE", usr / "bin" / "NorvalentWMP3TE");
    writeFile(usr / "share" / "applications" / "norvalent-wmp3-standard.desktop",
              "[Desktop Entry]\nType=Application\nName=Norvalent WMP 3 TE\n"
              "Exec=NorvalentWMP3TE %f\nMimeType=audio/mpeg;\n");
    const ScopedVariable dataDirs("XDG_DATA_DIRS", (usr / "share").string() + ":/usr/share");
    const ScopedVariable path("PATH", (usr / "bin").string() + ":" + std::getenv("PATH"));

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
