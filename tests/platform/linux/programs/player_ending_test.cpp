// Every way a player ends, in every edition and display size, ends the program with status 0:
// Esc and Enter, the end of the clip, a close request, another player's hand-off and the system's
// signals (one more arriving while it saves). The entire
// screen is where the engine's picture lives in a window of its own, so each edition ends there
// by each way; the other display sizes each end once.

#include <gtest/gtest.h>

#include <csignal>
#include <string_view>

#include "../settings_tool/x_close_request.hpp"
#include "player_install.hpp"
#include "tests/platform/linux/support/wait_for.hpp"
#include "x_window_state.hpp"

namespace nwmp::linux_platform::testing {
namespace {

enum class Ending { Esc, Enter, EndOfClip, CloseRequest, HandOff, KeyS, Term, Hup, Int, TermTwice };

struct EndingCase {
    const char* edition;
    const char* program;
    int screenMode;
    Ending ending;
};

// The engine's whole-screen window of the running player, waited for.
std::optional<QString> entireScreenWindow(PlayerInstall& player) {
    std::optional<QString> whole;
    waitFor(
        [&] {
            const QString found = xdotool(
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(player.pid()), QStringLiteral("--name"), QStringLiteral(".*")});
            for (const QString& id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                if (coversTheEntireScreen(id.toULong())) {
                    whole = id;
                    return true;
                }
            }
            return false;
        },
        15s);
    return whole;
}

class PlayerEndingTest : public ::testing::TestWithParam<EndingCase> {};

TEST_P(PlayerEndingTest, EndsWithStatusZero) {
    const EndingCase& c = GetParam();
    auto folders = std::make_shared<UserFolders>();
    std::string settings = "[Norvalent WMP 3]\nResumePlay=1\nScreenInfoSave=1\nScreenMode=" +
                           std::to_string(c.screenMode) + "\n";
    if (c.ending == Ending::EndOfClip) {
        settings += "PlayEndExitPlayer=1\n";
    }
    PlayerInstall player(QString::fromLatin1(c.program), settings, folders);
    player.start({media(c.ending == Ending::EndOfClip ? "tagged.avi" : "sample.mkv")});
    const auto main = player.window();
    ASSERT_TRUE(main) << player.errorOutput().toStdString();

    std::optional<QString> entireScreen;
    if (c.screenMode == 999) {
        entireScreen = entireScreenWindow(player);
        ASSERT_TRUE(entireScreen) << "no whole-screen window";
    }
    // Keys go where the user's focus is: on the whole-screen window while it is shown.
    const QString keyTarget = entireScreen.value_or(*main);
    std::unique_ptr<PlayerInstall> newcomer;
    switch (c.ending) {
        case Ending::Esc:
            pressKey(keyTarget, QStringLiteral("Escape"));
            break;
        case Ending::Enter:
            pressKey(keyTarget, QStringLiteral("Return"));
            break;
        case Ending::EndOfClip:
            break;
        case Ending::CloseRequest:
            ASSERT_TRUE(requestClose(main->toULong()));
            break;
        case Ending::HandOff:
            newcomer = std::make_unique<PlayerInstall>(
                QStringLiteral(STANDARD_PROGRAM), "[Norvalent WMP 3]\nNotMultiStart=1\n", folders);
            newcomer->start();
            break;
        case Ending::KeyS:
            pressKey(*main, QStringLiteral("s"));
            entireScreen = entireScreenWindow(player);
            ASSERT_TRUE(entireScreen) << "S showed no whole-screen window";
            pressKey(*entireScreen, QStringLiteral("Return"));
            break;
        default:  // the system's signals; a second SIGTERM comes while the first one saves
            ::kill(static_cast<pid_t>(player.pid()), c.ending == Ending::Hup   ? SIGHUP
                                                     : c.ending == Ending::Int ? SIGINT
                                                                               : SIGTERM);
            if (c.ending == Ending::TermTwice) {
                ::kill(static_cast<pid_t>(player.pid()), SIGTERM);
            }
    }
    ASSERT_TRUE(player.waitForEnd(20s)) << player.errorOutput().toStdString();
    EXPECT_TRUE(player.endedNormally()) << "exit code " << player.exitCode() << "\n"
                                        << player.errorOutput().toStdString();
    EXPECT_TRUE(player.stored("ResumeInfo", "FilePath")) << player.settingsText().toStdString();
    EXPECT_TRUE(player.stored("ResumeInfo", "Position")) << player.settingsText().toStdString();
    if (std::string_view(c.edition) != "Dask") {  // the whole-screen edition keeps no place
        EXPECT_TRUE(player.stored("Screen", "Left")) << player.settingsText().toStdString();
    }
    if (newcomer) {
        newcomer->press(QStringLiteral("Escape"));
        EXPECT_TRUE(newcomer->waitForEnd(10s));
    }
}

constexpr const char* kStandard = STANDARD_PROGRAM;
constexpr const char* kKovex = KOVEX_PROGRAM;
constexpr const char* kPemra = PEMRA_PROGRAM;
constexpr const char* kDask = DASK_PROGRAM;

constexpr EndingCase kCases[] = {
    {"Standard", kStandard, 999, Ending::Esc},
    {"Standard", kStandard, 999, Ending::Enter},
    {"Standard", kStandard, 999, Ending::EndOfClip},
    {"Standard", kStandard, 999, Ending::CloseRequest},
    {"Standard", kStandard, 999, Ending::HandOff},
    {"Kovex", kKovex, 999, Ending::Esc},
    {"Kovex", kKovex, 999, Ending::Enter},
    {"Kovex", kKovex, 999, Ending::EndOfClip},
    {"Kovex", kKovex, 999, Ending::CloseRequest},
    {"Kovex", kKovex, 999, Ending::HandOff},
    {"Pemra", kPemra, 999, Ending::Esc},
    {"Pemra", kPemra, 999, Ending::Enter},
    {"Pemra", kPemra, 999, Ending::EndOfClip},
    {"Pemra", kPemra, 999, Ending::CloseRequest},
    {"Pemra", kPemra, 999, Ending::HandOff},
    {"Pemra", kPemra, 0, Ending::KeyS},
    {"Dask", kDask, 999, Ending::Esc},
    {"Dask", kDask, 999, Ending::Enter},
    {"Dask", kDask, 999, Ending::EndOfClip},
    {"Dask", kDask, 999, Ending::CloseRequest},
    {"Dask", kDask, 999, Ending::HandOff},
    {"Dask", kDask, 100, Ending::Esc},
    {"Standard", kStandard, 50, Ending::Enter},
    {"Kovex", kKovex, 200, Ending::CloseRequest},
    {"Pemra", kPemra, 300, Ending::HandOff},
    {"Standard", kStandard, 400, Ending::EndOfClip},
    {"Dask", kDask, 500, Ending::Enter},
    {"Kovex", kKovex, 0, Ending::Esc},
    {"Pemra", kPemra, 0, Ending::Term},
    {"Standard", kStandard, 0, Ending::Hup},
    {"Kovex", kKovex, 0, Ending::Int},
    {"Dask", kDask, 999, Ending::Term},
    {"Pemra", kPemra, 100, Ending::TermTwice},
};

std::string caseName(const ::testing::TestParamInfo<EndingCase>& info) {
    constexpr const char* kEndings[] = {"Esc",  "Enter", "EndOfClip", "CloseRequest", "HandOff",
                                        "KeyS", "Term",  "Hup",       "Int",          "TermTwice"};
    return std::string(info.param.edition) + "_" + std::to_string(info.param.screenMode) + "_" +
           kEndings[static_cast<int>(info.param.ending)];
}

INSTANTIATE_TEST_SUITE_P(EveryWay, PlayerEndingTest, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace nwmp::linux_platform::testing
