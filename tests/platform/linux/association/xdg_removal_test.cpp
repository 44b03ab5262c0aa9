#include <string>
#include <vector>

#include "association_test_support.hpp"
#include "platform/linux/association/extension_types.hpp"
#include "platform/linux/association/key_file_text.hpp"

namespace nwmp::xdg::testing {
namespace {

namespace fs = std::filesystem;

// The user's own choices and another player, there before the tool ever ran.
const char* const kSeededList =
    "# chosen by the user\n"
    "[Default Applications]\n"
    "audio/mpeg=other-player.desktop\n"
    "text/plain=editor.desktop;\n"
    "\n"
    "[Added Associations]\n"
    "audio/mpeg=other-player.desktop;\n";

const char* const kOtherEntry =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Other Player\n"
    "Exec=/bin/true %f\n"
    "MimeType=audio/mpeg;audio/x-wav;\n";

class Removal : public AssociationTest {
  protected:
    Removal() {
        writeAll(mimeapps(), kSeededList);
        writeAll(otherEntry(), kOtherEntry);
    }
    fs::path otherEntry() const { return home_.data / "applications" / "other-player.desktop"; }
};

TEST_F(Removal, BringsBackThePreviousDefaultAndLeavesOtherProgramsAlone) {
    ASSERT_EQ(queryDefault("audio/mpeg"), "other-player.desktop");
    ASSERT_TRUE(registerFor("mp3", program_));
    ASSERT_TRUE(registerFor("wav", program_));
    ASSERT_EQ(queryDefault("audio/mpeg"), idOf(program_));

    ASSERT_TRUE(service_.removeExtension("mp3"));
    EXPECT_EQ(queryDefault("audio/mpeg"), "other-player.desktop");
    EXPECT_EQ(queryDefault("audio/x-wav"), idOf(program_)) << "wav is still registered";
    EXPECT_EQ(KeyFileText(readAll(entryFile(program_))).value("Desktop Entry", "MimeType"),
              "audio/x-wav;");

    ASSERT_TRUE(service_.removeExtension("WAV"));
    EXPECT_EQ(readAll(mimeapps()), kSeededList);
    EXPECT_EQ(readAll(otherEntry()), kOtherEntry);
    EXPECT_FALSE(fs::exists(entryFile(program_)));
}

TEST_F(Removal, OfAnExtensionNeverRegisteredChangesNothing) {
    const auto filesBefore = filesBelow(home_.root);
    const auto timeBefore = fs::last_write_time(mimeapps());
    EXPECT_TRUE(service_.removeExtension("mp3"));
    EXPECT_TRUE(service_.removeExtension("zzq"));
    EXPECT_EQ(filesBelow(home_.root), filesBefore);
    EXPECT_EQ(readAll(mimeapps()), kSeededList);
    EXPECT_EQ(fs::last_write_time(mimeapps()), timeBefore);
}

TEST_F(Removal, KeepsATypeWhileAnotherRegisteredExtensionStillUsesIt) {
    const auto types = knownMimeTypes("asx");
    if (types.size() != 1 || knownMimeTypes("wvx") != types) {
        GTEST_SKIP() << "this MIME database gives asx and wvx different types";
    }
    ASSERT_TRUE(registerFor("asx", program_));
    ASSERT_TRUE(registerFor("wvx", program_));

    ASSERT_TRUE(service_.removeExtension("asx"));
    EXPECT_EQ(queryDefault(types.front()), idOf(program_));
    ASSERT_TRUE(service_.removeExtension("wvx"));
    EXPECT_NE(queryDefault(types.front()), idOf(program_));
    EXPECT_FALSE(fs::exists(entryFile(program_)));
}

TEST_F(Removal, TakesOutTheEntriesOfEveryEditionAndNoOneElse) {
    const fs::path pemra = home_.root / "bin" / "NorvalentWMP3TEPemra";
    home_.makeRecordingProgram(pemra);
    ASSERT_TRUE(registerFor("mp3", program_));
    ASSERT_TRUE(registerFor("mp3", pemra));
    EXPECT_EQ(queryDefault("audio/mpeg"), idOf(pemra)) << "the last registration wins";
    EXPECT_TRUE(fs::exists(entryFile(program_)));

    ASSERT_TRUE(service_.removeExtension("mp3"));
    EXPECT_EQ(readAll(mimeapps()), kSeededList);
    EXPECT_FALSE(fs::exists(entryFile(program_)));
    EXPECT_FALSE(fs::exists(entryFile(pemra)));
}

TEST_F(Removal, FailsAndKeepsTheAssociationWhenTheConfigFolderIsReadOnly) {
    ASSERT_TRUE(registerFor("mp3", program_));
    const std::string listBefore = readAll(mimeapps());
    fs::permissions(home_.config, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(service_.removeExtension("mp3"));
    EXPECT_EQ(readAll(mimeapps()), listBefore);
    EXPECT_TRUE(fs::exists(entryFile(program_))) << "nothing half-done";
}

}  // namespace
}  // namespace nwmp::xdg::testing
