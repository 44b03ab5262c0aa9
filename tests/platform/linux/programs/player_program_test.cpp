// The real player programs end to end, each copy in a folder of its own with its own
// nwmpset.ini: the caption while playing, keys, what is saved at shut-down, resume across runs,
// and the hand-off between two running players of different editions.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>

#include "player_install.hpp"

namespace nwmp::linux_platform::testing {
namespace {

const QString kStandard = QStringLiteral(STANDARD_PROGRAM);
const QString kPemra = QStringLiteral(PEMRA_PROGRAM);
const QString kKovex = QStringLiteral(KOVEX_PROGRAM);
const QString kDask = QStringLiteral(DASK_PROGRAM);

std::string switches(const char* lines) {
    return std::string("[Norvalent WMP 3]\n") + lines;
}

// A caption of play information: name, position and duration.
QRegularExpression playInfo(const QString& name, const QString& marks = {}) {
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(name) +
                              QStringLiteral(" \\[(\\d\\d):(\\d\\d)/(\\d\\d):(\\d\\d)\\]") +
                              QRegularExpression::escape(marks) + QStringLiteral("$"));
}

int positionIn(const QString& caption) {
    const auto match = QRegularExpression(QStringLiteral("\\[(\\d\\d):(\\d\\d)/")).match(caption);
    return match.hasMatch() ? match.captured(1).toInt() * 60 + match.captured(2).toInt() : -1;
}

std::string diagnosis(PlayerInstall& player) {
    return ("last title: " + player.lastTitle() + "\nsettings:\n" + player.settingsText() +
            "\nerrors:\n" + player.errorOutput())
        .toStdString();
}

TEST(PlayerProgram, CaptionShowsTitleAuthorPositionAndDurationOfATaggedMp3) {
    PlayerInstall player(kPemra, switches("NotPlayInfoDisplay=0\n"));
    player.start({media("tagged.mp3")});
    const auto caption =
        player.waitForTitle(playInfo(QStringLiteral("テストの歌/試験 演奏者")), 15s);
    ASSERT_TRUE(caption) << diagnosis(player);
    const auto match = playInfo(QStringLiteral("テストの歌/試験 演奏者")).match(*caption);
    EXPECT_EQ(match.captured(3), QStringLiteral("00"));
    EXPECT_EQ(match.captured(4), QStringLiteral("01"));  // a clip of 1.5 s
    player.press(QStringLiteral("Escape"));
    EXPECT_TRUE(player.waitForEnd(10s));
}

TEST(PlayerProgram, NotPlayInfoDisplayKeepsTheStartCaption) {
    PlayerInstall player(kStandard, switches("NotPlayInfoDisplay=1\n"));
    player.start({media("sample.mkv")});
    ASSERT_TRUE(player.waitForTitle(QRegularExpression(QStringLiteral("^Norvalent WMP 3 TE$"))))
        << diagnosis(player);
    // Past the first ticks the caption is still the start caption.
    EXPECT_FALSE(player.waitForTitle(QRegularExpression(QStringLiteral("\\[")), 2500ms));
    player.press(QStringLiteral("Escape"));
    EXPECT_TRUE(player.waitForEnd(10s));
}

TEST(PlayerProgram, KeyXMarksTheCaptionAndTheProgramThenEndsAtTheEndOfTheClip) {
    PlayerInstall player(kStandard, switches("ResumePlay=1\n"));
    player.start({media("sample.mkv")});
    ASSERT_TRUE(player.waitForTitle(playInfo(QStringLiteral("sample.mkv")))) << diagnosis(player);
    player.press(QStringLiteral("x"));
    ASSERT_TRUE(
        player.waitForTitle(playInfo(QStringLiteral("sample.mkv"), QStringLiteral(" E")), 5s))
        << diagnosis(player);
    ASSERT_TRUE(player.waitForEnd(15s)) << diagnosis(player);
    EXPECT_TRUE(player.endedNormally()) << "exit code " << player.exitCode() << "\n"
                                        << diagnosis(player);
    EXPECT_EQ(player.stored("ResumeInfo", "FilePath"), media("sample.mkv").toStdString());
}

TEST(PlayerProgram, EscEndsTheProgramAndStoresTheWindowAndThePlace) {
    PlayerInstall player(kPemra, switches("ScreenInfoSave=1\nResumePlay=1\n"));
    player.start({media("sample.mkv")});
    ASSERT_TRUE(player.waitForTitle(playInfo(QStringLiteral("sample.mkv")))) << diagnosis(player);
    const QRect shown = windowGeometry(*player.window()).value_or(QRect());
    player.press(QStringLiteral("Escape"));
    ASSERT_TRUE(player.waitForEnd(10s)) << diagnosis(player);
    EXPECT_TRUE(player.endedNormally()) << "exit code " << player.exitCode() << "\n"
                                        << diagnosis(player);

    // No window manager frames the window, so its outer size is what X reports.
    EXPECT_EQ(player.stored("Screen", "Width"), std::to_string(shown.width()));
    EXPECT_EQ(player.stored("Screen", "Height"), std::to_string(shown.height()));
    EXPECT_EQ(player.stored("Screen", "Left"), std::to_string(shown.x() * 15));
    EXPECT_EQ(player.stored("Screen", "Top"), std::to_string(shown.y() * 15));
    EXPECT_EQ(player.stored("ResumeInfo", "FilePath"), media("sample.mkv").toStdString());
    const int position = std::stoi(player.stored("ResumeInfo", "Position").value_or("-1"));
    EXPECT_GE(position, 0);
    EXPECT_LE(position, 3);
}

TEST(PlayerProgram, WindowOpensAtItsDesignPlaceWithTheDefaultSize) {
    PlayerInstall player(kStandard, switches(""));
    player.start({media("sample.mkv")});
    const auto window = player.window();
    ASSERT_TRUE(window) << diagnosis(player);
    const QRect shown = windowGeometry(*window).value_or(QRect());
    EXPECT_EQ(shown.size(), QSize(480, 409));
    // The design's client corner, 4095, 3165 twips; without a frame it is the window's corner.
    EXPECT_EQ(shown.topLeft(), QPoint(4095 / 15, 3165 / 15));
    player.press(QStringLiteral("Escape"));
    EXPECT_TRUE(player.waitForEnd(10s));
}

TEST(PlayerProgram, EndsByItselfAtTheEndOfAShortClipAndLeavesItsSettings) {
    PlayerInstall player(kPemra, switches("PlayEndExitPlayer=1\nScreenInfoSave=1\nResumePlay=1\n"));
    player.start({media("tagged.avi")});
    ASSERT_TRUE(player.waitForEnd(20s)) << diagnosis(player);
    EXPECT_TRUE(player.endedNormally()) << "exit code " << player.exitCode() << "\n"
                                        << diagnosis(player);
    EXPECT_EQ(player.stored("ResumeInfo", "FilePath"), media("tagged.avi").toStdString());
    EXPECT_TRUE(player.stored("ResumeInfo", "Position")) << diagnosis(player);
    EXPECT_EQ(player.stored("Screen", "Width"), "480");
    EXPECT_EQ(player.stored("Screen", "Height"), "409");
    EXPECT_TRUE(player.stored("Screen", "Left"));
    EXPECT_TRUE(player.stored("Screen", "Top"));
}

TEST(PlayerProgram, EndsAtTheEndOfTheClipAlsoWhereNoAudioOutputCanBeOpened) {
    auto folders = std::make_shared<UserFolders>();
    // Not even ALSA's own configuration, and no sound server in the runtime folder.
    qputenv("ALSA_CONFIG_PATH", "/dev/null");
    PlayerInstall player(kPemra, switches("PlayEndExitPlayer=1\nResumePlay=1\n"), folders);
    player.start({media("tagged.avi")});
    qunsetenv("ALSA_CONFIG_PATH");
    ASSERT_TRUE(player.waitForEnd(20s)) << diagnosis(player);
    EXPECT_EQ(player.stored("ResumeInfo", "FilePath"), media("tagged.avi").toStdString());
}

TEST(PlayerProgram, ASecondRunWithoutAFileResumesWhereTheFirstWasClosed) {
    const std::string settings = switches("ResumePlay=1\n");
    auto folders = std::make_shared<UserFolders>();
    PlayerInstall first(kStandard, settings, folders);
    // A clip long enough that the second run is still playing at its first title tick.
    first.start({media("picture320.avi")});
    // Closed once a second or more has played.
    ASSERT_TRUE(first.waitForTitle(
        QRegularExpression(QStringLiteral("^picture320\\.avi \\[00:0[12]/00:12\\]$"))))
        << diagnosis(first);
    first.press(QStringLiteral("Escape"));
    ASSERT_TRUE(first.waitForEnd(10s)) << diagnosis(first);
    const std::string path = first.stored("ResumeInfo", "FilePath").value_or("");
    const int stored = std::stoi(first.stored("ResumeInfo", "Position").value_or("-1"));
    ASSERT_EQ(path, media("picture320.avi").toStdString());
    ASSERT_GE(stored, 1);

    // The second run is the same program in the same folder, so it reads what the first left.
    PlayerInstall second(kStandard, first.settingsText().toStdString(), folders);
    second.start();
    const auto caption = second.waitForTitle(playInfo(QStringLiteral("picture320.avi")), 15s);
    ASSERT_TRUE(caption) << diagnosis(second);
    EXPECT_GE(positionIn(*caption), stored) << caption->toStdString();
    second.press(QStringLiteral("Escape"));
    EXPECT_TRUE(second.waitForEnd(10s));
}

TEST(PlayerProgram, ANewStandardPlayerClosesARunningPemraPlayerAndPlaysItsOwnFile) {
    auto folders = std::make_shared<UserFolders>();  // one user: the players see each other
    PlayerInstall pemra(kPemra, switches("NotMultiStart=1\nResumePlay=1\n"), folders);
    pemra.start({media("sample.mkv")});
    ASSERT_TRUE(pemra.waitForTitle(playInfo(QStringLiteral("sample.mkv")))) << diagnosis(pemra);

    PlayerInstall standard(kStandard, switches("NotMultiStart=1\n"), folders);
    standard.start({media("tagged.avi")});
    const auto first = standard.waitForTitle(QRegularExpression(QStringLiteral(".")), 15s);
    ASSERT_TRUE(first) << diagnosis(standard);
    EXPECT_EQ(*first, QStringLiteral("Norvalent WMP 3 TE"));

    ASSERT_TRUE(pemra.waitForEnd(10s)) << diagnosis(pemra);
    EXPECT_TRUE(pemra.endedNormally()) << "exit code " << pemra.exitCode();
    EXPECT_EQ(pemra.stored("ResumeInfo", "FilePath"), media("sample.mkv").toStdString());
    EXPECT_TRUE(pemra.stored("ResumeInfo", "Position"));

    EXPECT_TRUE(standard.waitForTitle(playInfo(QStringLiteral("tagged.avi")), 15s))
        << diagnosis(standard);
    standard.press(QStringLiteral("Escape"));
    EXPECT_TRUE(standard.waitForEnd(10s));
}

TEST(PlayerProgram, WithoutNotMultiStartBothPlayersKeepRunning) {
    auto folders = std::make_shared<UserFolders>();
    PlayerInstall kovex(kKovex, switches(""), folders);
    kovex.start({media("sample.mkv")});
    ASSERT_TRUE(kovex.window()) << diagnosis(kovex);
    PlayerInstall standard(kStandard, switches(""), folders);
    standard.start({media("tagged.avi")});
    ASSERT_TRUE(standard.waitForTitle(playInfo(QStringLiteral("tagged.avi"))))
        << diagnosis(standard);
    EXPECT_FALSE(kovex.waitForEnd(500ms));
    kovex.press(QStringLiteral("Escape"));
    standard.press(QStringLiteral("Escape"));
    EXPECT_TRUE(kovex.waitForEnd(10s));
    EXPECT_TRUE(standard.waitForEnd(10s));
}

TEST(PlayerProgram, DaskCoversTheScreenAndEscEndsIt) {
    PlayerInstall player(kDask, switches("ResumePlay=1\n"));
    player.start({media("sample.mkv")});
    const auto window = player.window();
    ASSERT_TRUE(window) << diagnosis(player);
    const QString screen = xdotool({QStringLiteral("getdisplaygeometry")});
    const QRect shown = windowGeometry(*window).value_or(QRect());
    EXPECT_EQ(QStringLiteral("%1 %2").arg(shown.width()).arg(shown.height()), screen);
    EXPECT_EQ(shown.topLeft(), QPoint(0, 0));
    EXPECT_EQ(windowTitle(*window), QStringLiteral("Norvalent WMP 3 SE"));
    player.press(QStringLiteral("Escape"));
    ASSERT_TRUE(player.waitForEnd(10s)) << diagnosis(player);
    EXPECT_EQ(player.stored("ResumeInfo", "FilePath"), media("sample.mkv").toStdString());
}

// File names are bytes; a line break, which the settings file cannot hold, leaves no half record.
struct NamedFile {
    const char* label;
    std::string bytes;
    QString shown;
};
class FileNames : public ::testing::TestWithParam<NamedFile> {};

TEST_P(FileNames, PlayFromTheCommandLineAndResumeAsTheBytesGiven) {
    QTemporaryDir folder;
    const std::string path =
        QFile::encodeName(folder.path()).toStdString() + "/" + GetParam().bytes;
    std::filesystem::copy_file(NWMP_TEST_MEDIA "/picture320.avi", path);
    auto folders = std::make_shared<UserFolders>();
    PlayerInstall first(kPemra, switches("ResumePlay=1\n"), folders);
    first.startWithBytes(path);
    ASSERT_TRUE(first.waitForTitle(playInfo(GetParam().shown))) << diagnosis(first);
    first.press(QStringLiteral("Escape"));
    ASSERT_TRUE(first.waitForEnd(10s));
    const bool storable = GetParam().bytes.find('\n') == std::string::npos;
    EXPECT_EQ(first.stored("ResumeInfo", "FilePath"),
              storable ? std::optional(path) : std::nullopt);
    EXPECT_EQ(first.stored("ResumeInfo", "Position").has_value(), storable);
    if (storable) {
        PlayerInstall second(kPemra, first.settingsBytes(), folders);
        second.start();
        EXPECT_TRUE(second.waitForTitle(playInfo(GetParam().shown))) << diagnosis(second);
        second.press(QStringLiteral("Escape"));
        EXPECT_TRUE(second.waitForEnd(10s));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, FileNames,
    ::testing::Values(NamedFile{"Utf8", "曲 テスト.avi", QStringLiteral("曲 テスト.avi")},
                      NamedFile{"CodePage932", "\203e\203X\203g.avi", QStringLiteral("テスト.avi")},
                      NamedFile{"NoEncoding", "\377\376x.avi", QStringLiteral("\uFFFD\uFFFDx.avi")},
                      NamedFile{"LineBreak", "a\nb.avi", QStringLiteral("a\nb.avi")}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nwmp::linux_platform::testing
