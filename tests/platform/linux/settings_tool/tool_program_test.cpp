// The real NorvalentWMP3set, started as a user starts it and driven through the X display:
// what it saves, what it leaves alone, the association it makes and takes back, and its one
// running copy.

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <string>

#include "common/private_profile_file.hpp"
#include "settings_tool/nwmpset_layout.hpp"
#include "tool_install.hpp"
#include "x_desktop.hpp"

namespace nwmp::linux_platform::testing {
namespace {

const QString kWindowTitle = QStringLiteral("Norvalent WMP 3 TE 設定ツール");
const QString kMessageTitle = QStringLiteral("Norvalent WMP 3 設定ツール");

const TwipRect& placeOf(std::string_view name) {
    const auto it =
        std::find_if(kOtherControls.begin(), kOtherControls.end(),
                     [&](const ControlLayout& control) { return control.name == name; });
    return it->position;
}

class ToolProgramTest : public ::testing::Test {
  protected:
    // The tool's window once it is up; empty (and the test failed) when it never came.
    QString windowOf(const QProcess& copy) {
        const auto window = findWindow(copy.processId(), kWindowTitle);
        EXPECT_TRUE(window.has_value()) << "the settings tool's window did not appear";
        return window.value_or(QString());
    }

    // Dismisses the message box the copy shows, by its close box; false when none came. The
    // close request goes to that window alone, whatever another test on the display does with
    // the keyboard focus.
    bool dismissMessage(const QProcess& copy) {
        const auto box = findWindow(copy.processId(), kMessageTitle);
        if (!box) {
            ADD_FAILURE() << "no message box came";
            return false;
        }
        return requestClose(*box) && waitUntilGone(copy.processId(), kMessageTitle);
    }

    static bool endsCleanly(QProcess& copy) {
        return copy.waitForFinished(15000) && copy.exitStatus() == QProcess::NormalExit &&
               copy.exitCode() == 0;
    }

    std::string stored(std::string_view section, std::string_view key) const {
        const PrivateProfileFile file([this] { return install.settingsFile().toStdString(); });
        return file.readText(section, key, "(missing)", 256);
    }

    ToolInstall install;
};

TEST_F(ToolProgramTest, ApplySavesWhatTheWindowOpenedWith) {
    install.writeSettings(
        "[Norvalent WMP 3]\nAlwaysFront=1\nScreenSaverOFF=1\nNotMultiStart=2\nResumePlay=1\n"
        "ScreenMode=200\nClassicMode=1\n[Screen]\nWidth=640\n");
    QProcess& tool = install.start();
    const QString window = windowOf(tool);
    ASSERT_FALSE(window.isEmpty());

    clickControl(window, placeOf("Command1"));
    ASSERT_TRUE(endsCleanly(tool));

    const struct {
        const char* key;
        const char* value;
    } expected[] = {
        {"AlwaysFront", "1"},    {"OriginalFit", "0"},       {"ScreenSaverOFF", "1"},
        {"ScreenInfoSave", "0"}, {"NotMultiStart", "0"},     {"NotPlayInfoDisplay", "0"},
        {"ResumePlay", "1"},     {"PlayEndExitPlayer", "0"}, {"ScreenMode", "200"},
        {"ClassicMode", "1"},
    };
    for (const auto& entry : expected) {
        EXPECT_EQ(stored("Norvalent WMP 3", entry.key), entry.value) << entry.key;
    }
    EXPECT_EQ(stored("Screen", "Width"), "640");
}

TEST_F(ToolProgramTest, ClosingWithoutApplyWritesNothing) {
    const std::string text = "[Norvalent WMP 3]\nOriginalFit=1\nScreenMode=50\n";
    for (const bool byTitleBar : {false, true}) {
        SCOPED_TRACE(byTitleBar ? "title bar" : "閉じる");
        install.writeSettings(text);
        QProcess& tool = install.start();
        const QString window = windowOf(tool);
        ASSERT_FALSE(window.isEmpty());
        clickControl(window, kOptionBoxes[2].position);  // a change that is then not saved
        if (byTitleBar) {
            ASSERT_TRUE(requestClose(window));
        } else {
            clickControl(window, placeOf("Command2"));
        }
        ASSERT_TRUE(endsCleanly(tool));
        EXPECT_EQ(install.readSettings(), text);
    }
}

TEST_F(ToolProgramTest, StoredFullScreenWithAlwaysOnTopIsMendedAtOpening) {
    install.writeSettings("[Norvalent WMP 3]\nAlwaysFront=1\nScreenMode=999\n");
    QProcess& tool = install.start();
    // The message comes while the window is being made, before it is shown.
    ASSERT_TRUE(dismissMessage(tool));
    const QString window = windowOf(tool);
    ASSERT_FALSE(window.isEmpty());
    clickControl(window, placeOf("Command1"));
    ASSERT_TRUE(endsCleanly(tool));
    EXPECT_EQ(stored("Norvalent WMP 3", "AlwaysFront"), "0");
    EXPECT_EQ(stored("Norvalent WMP 3", "ScreenMode"), "999");
}

TEST_F(ToolProgramTest, Mp3AssociationIsMadeAndTakenBack) {
    const auto defaultForMp3 = [this] {
        return install.run(
            QStringLiteral("xdg-mime"),
            {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("audio/mpeg")});
    };
    const QString before = defaultForMp3();
    QProcess& tool = install.start();
    const QString window = windowOf(tool);
    ASSERT_FALSE(window.isEmpty());

    clickControl(window, kAssociationSlots[4].position);  // "mp3"
    clickControl(window, placeOf("Command3"));            // "関連設定"
    ASSERT_TRUE(dismissMessage(tool));
    const QString chosen = defaultForMp3();
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_NE(chosen, before);
    QFile entry(install.dataHome() + QStringLiteral("/applications/") + chosen);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << chosen.toStdString();
    EXPECT_TRUE(QString::fromUtf8(entry.readAll()).contains(install.playerProgram()));
    EXPECT_EQ(stored("KeepConnect", ".mp3"), "1");
    EXPECT_EQ(stored("KeepConnect", ".avi"), "0");

    clickControl(window, placeOf("Command4"));  // "関連解除", "mp3" still ticked
    ASSERT_TRUE(dismissMessage(tool));
    EXPECT_EQ(defaultForMp3(), before);
    EXPECT_EQ(stored("KeepConnect", ".mp3"), "0");

    clickControl(window, placeOf("Command2"));
    EXPECT_TRUE(endsCleanly(tool));
}

TEST_F(ToolProgramTest, SecondCopyShowsItsMessageAndEndsWhileTheFirstRunsOn) {
    QProcess& first = install.start();
    const QString window = windowOf(first);
    ASSERT_FALSE(window.isEmpty());

    QProcess& second = install.start();
    const auto box = findWindow(second.processId(), kMessageTitle);
    ASSERT_TRUE(box.has_value()) << "the second copy showed no message";
    EXPECT_FALSE(findWindow(second.processId(), kWindowTitle, 0ms).has_value());
    EXPECT_EQ(second.state(), QProcess::Running);  // it waits for the user
    ASSERT_TRUE(requestClose(*box));
    ASSERT_TRUE(endsCleanly(second));

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(findWindow(first.processId(), kWindowTitle, 0ms).has_value());
    EXPECT_FALSE(QFile::exists(install.settingsFile()));  // the second read and wrote nothing

    clickControl(window, placeOf("Command2"));
    ASSERT_TRUE(endsCleanly(first));

    // Once the first has ended, the tool starts again as usual.
    QProcess& third = install.start();
    const QString again = windowOf(third);
    ASSERT_FALSE(again.isEmpty());
    clickControl(again, placeOf("Command2"));
    EXPECT_TRUE(endsCleanly(third));
}

}  // namespace
}  // namespace nwmp::linux_platform::testing
