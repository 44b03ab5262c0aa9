#include <sys/stat.h>

#include <QStandardPaths>
#include <chrono>
#include <string>
#include <vector>

#include "association_test_support.hpp"
#include "platform/linux/association/key_file_text.hpp"

namespace nwmp::xdg::testing {
namespace {

namespace fs = std::filesystem;

bool haveTool(const char* name) {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

using Registration = AssociationTest;

TEST_F(Registration, MakesOurEntryTheDefaultOpenerOfTheExtensionsType) {
    const fs::path icon = home_.root / "tool" / "icon" / "mp3.ico";
    writeAll(icon, "icon");
    ASSERT_TRUE(registerFor("mp3", program_, icon.string()));
    ASSERT_TRUE(registerFor("mp3", program_, icon.string())) << "a second time changes nothing";

    EXPECT_EQ(queryDefault("audio/mpeg"), idOf(program_));
    const KeyFileText entry(readAll(entryFile(program_)));
    EXPECT_EQ(entry.value("Desktop Entry", "Type"), "Application");
    EXPECT_EQ(entry.value("Desktop Entry", "MimeType"), "audio/mpeg;");
    EXPECT_EQ(entry.value("Desktop Entry", "Icon"), icon.string());
    EXPECT_EQ(entry.value("Desktop Entry", "NoDisplay"), "true");
    EXPECT_EQ(entry.value("Desktop Entry", "Terminal"), "false");
    const KeyFileText list(readAll(mimeapps()));
    EXPECT_EQ(list.value("Default Applications", "audio/mpeg"), idOf(program_) + ";");
    EXPECT_EQ(list.value("Added Associations", "audio/mpeg"), idOf(program_) + ";");
}

TEST_F(Registration, LeavesOutTheIconWhenItsFileIsMissing) {
    ASSERT_TRUE(registerFor("wav", program_, (home_.root / "no-such.ico").string()));
    EXPECT_EQ(KeyFileText(readAll(entryFile(program_))).value("Desktop Entry", "Icon"),
              std::nullopt);
}

TEST_F(Registration, StartsAProgramWhosePathHasBlanksJapaneseAndQuotingCharacters) {
    const fs::path program =
        home_.root / "メディア プレーヤー" / "Norvalent \"WMP3\" $HOME `x` (1) \\ 'TE'";
    home_.makeRecordingProgram(program);
    ASSERT_TRUE(registerFor("mp3", program));

    if (haveTool("desktop-file-validate")) {
        const auto validation = runCommand({"desktop-file-validate", entryFile(program).string()});
        EXPECT_EQ(validation.exitCode, 0) << validation.output;
    }
    if (!haveTool("gio")) {
        GTEST_SKIP() << "gio (libglib2.0-bin) is needed to open a file as a file manager does";
    }
    EXPECT_NE(runCommand({"gio", "mime", "audio/mpeg"}).output.find(idOf(program)),
              std::string::npos);
    const fs::path song = home_.root / "曲 の フォルダ" / "my song.mp3";
    writeAll(song, std::string("ID3\x03\0\0\0\0\0\0", 10));
    ASSERT_EQ(runCommand({"gio", "open", song.string()}).exitCode, 0);
    EXPECT_EQ(waitForFile(home_.launchRecord(), std::chrono::seconds(30)), song.string() + "\n");
}

TEST_F(Registration, GivesAnExtensionNoTypeKnowsATypeOfItsOwn) {
    ASSERT_TRUE(registerFor("zzq", program_));
    const std::string ownType = "application/x-norvalent-zzq";
    const fs::path file = home_.root / "a.zzq";
    writeAll(file, "data");

    // xdg-mime finds a file's type by glob through `mimetype` (libfile-mimeinfo-perl); without
    // it, it asks `file`, which knows contents only, so the type's default is checked instead.
    if (haveTool("mimetype")) {
        EXPECT_EQ(runCommand({"xdg-mime", "query", "filetype", file.string()}).output, ownType);
    }
    EXPECT_EQ(queryDefault(ownType), idOf(program_));

    ASSERT_TRUE(service_.removeExtension("zzq"));
    EXPECT_FALSE(fs::exists(home_.data / "mime" / "packages" / "norvalent-wmp3-zzq.xml"));
    EXPECT_FALSE(fs::exists(entryFile(program_)));
    EXPECT_EQ(queryDefault(ownType), "");
    if (haveTool("mimetype")) {
        EXPECT_NE(runCommand({"xdg-mime", "query", "filetype", file.string()}).output, ownType);
    }
}

TEST_F(Registration, RefusesBadRequestsWithoutWritingAnything) {
    const std::string command = program_.string() + " %1";
    const fs::path percent = home_.root / "bin" / "100%";
    home_.makeRecordingProgram(percent);
    const std::vector<AssociationRequest> requests = {
        {"", command, ""},
        {".mp3", command, ""},
        {"a/b", command, ""},
        {"a b", command, ""},
        {"mp\t3", command, ""},
        {"EXE", command, ""},
        {"sh", command, ""},
        {"desktop", command, ""},
        {"so", command, ""},  // known to the MIME database as a shared library
        {"mp3", program_.string(), ""},
        {"mp3", "NorvalentWMP3TE %1", ""},
        {"mp3", (home_.root / "missing" / "player").string() + " %1", ""},
        {"mp3", home_.root.string() + " %1", ""},
        {"mp3", percent.string() + " %1", ""},  // GLib-based desktops could never start it
    };
    for (const AssociationRequest& request : requests) {
        EXPECT_FALSE(service_.registerExtension(request))
            << request.extension << " / " << request.openCommand;
    }
    EXPECT_FALSE(service_.removeExtension("../mp3"));
    EXPECT_EQ(filesBelow(home_.data), std::vector<std::string>{});
    EXPECT_EQ(filesBelow(home_.config), std::vector<std::string>{});
}

// xdg-mime (1.1.3) takes Exec's first word as the program, unquoted; a path that needs no
// quotes must get none, or xdg-mime passes our entry over.
TEST_F(Registration, WritesAPlainProgramPathUnquoted) {
    ASSERT_TRUE(registerFor("mp3", program_));
    EXPECT_EQ(KeyFileText(readAll(entryFile(program_))).value("Desktop Entry", "Exec"),
              program_.string() + " %f");
}

// Tests run as root, which may write anywhere; the service honours the write bits themselves.
TEST_F(Registration, FailsWhenTheConfigFolderIsReadOnly) {
    fs::permissions(home_.config, fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec);
    EXPECT_FALSE(registerFor("mp3", program_));
    EXPECT_EQ(filesBelow(home_.data), std::vector<std::string>{}) << "nothing half-done";
    EXPECT_FALSE(fs::exists(mimeapps()));
}

TEST_F(Registration, FailsWhenMimeappsListIsReadOnlyAndLeavesItAsItWas) {
    const std::string text = "[Default Applications]\naudio/mpeg=other.desktop\n";
    writeAll(mimeapps(), text);
    fs::permissions(mimeapps(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(registerFor("mp3", program_));
    EXPECT_EQ(readAll(mimeapps()), text);
}

}  // namespace
}  // namespace nwmp::xdg::testing
