// Start-up: the command line, the switches in slot order, the screen mode, and key Z running it
// all again.

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

class Startup : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(Startup);

TEST_P(Startup, CommandLineReachesTheEngineOnlyAsAnExistingLongPath) {
    const std::string long259 = "/" + std::string(258, 'a');
    const std::string long260 = "/" + std::string(259, 'a');
    // 259 characters in 775 bytes of UTF-8: the buffer counts characters.
    std::string japanese259 = "/";
    for (int i = 0; i < 258; ++i) {
        japanese259 += "曲";
    }
    struct Case {
        std::string commandLine;
        std::string windowed;     // what a windowed edition opens
        std::string wholeScreen;  // what the whole-screen edition opens: the unquoted text
    } const cases[] = {
        {"\"/m/a b.mp3\"", "/media/music/a b.mp3", "/m/a b.mp3"},
        {"\"/m/a b.mp3\" more", "", "\"/m/a b.mp3\" more"},
        {"http://host/live.asf", "", "http://host/live.asf"},
        {"", "", ""},
        {"short259", long259, "short259"},
        {"short260", "", "short260"},
        {"japanese259", japanese259, "japanese259"},
        {"japanese260", "", "japanese260"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        PlayerRig rig(edition());
        rig.platform.commandLine = c.commandLine;
        rig.platform.existingPaths = {{"/m/a b.mp3", "/media/music/a b.mp3"},
                                      {"short259", long259},
                                      {"short260", long260},
                                      {"japanese259", japanese259},
                                      {"japanese260", japanese259 + "曲"}};
        rig.start();
        const bool windowed = edition().startup == StartupVariant::Windowed;
        EXPECT_EQ(rig.engine.fileName, windowed ? c.windowed : c.wholeScreen);
    }
}

TEST_P(Startup, WithoutSettingsFileOpensAtDefaultsAndWritesNothing) {
    PlayerRig rig(edition());
    rig.start();
    EXPECT_EQ(rig.engine.displaySize, kDisplayFitToControl);
    EXPECT_TRUE(rig.settings.writes.empty());
    EXPECT_EQ(rig.platform.screenSaverHolds, 0);
    EXPECT_EQ(rig.platform.previousInstanceAsks, 0);
    ASSERT_EQ(rig.window.stackings.size(), 1u);
    if (edition().defaultSize) {
        EXPECT_FALSE(rig.window.stackings[0].topmost);
        EXPECT_EQ(rig.window.width, edition().defaultSize->width * 15);
        EXPECT_EQ(rig.window.height, edition().defaultSize->height * 15);
        EXPECT_EQ(rig.window.left, edition().window.client.left);  // design position
    } else {
        EXPECT_TRUE(rig.window.stackings[0].topmost);
        EXPECT_EQ(rig.window.stackings[0].outer, (PixelRect{0, 0, 1920, 1080}));
        EXPECT_EQ(rig.engine.width, rig.platform.screenWidth);
        EXPECT_EQ(rig.engine.height, rig.platform.screenHeight);
        EXPECT_EQ(rig.platform.pointerHides, 1);
    }
}

TEST_P(Startup, AlwaysFrontOnlyActsOnExactlyZeroOrOne) {
    for (const auto& [value, expected] : {std::pair{"0", "not topmost"},
                                          {"1", "topmost"},
                                          {"2", "untouched"},
                                          {"-1", "untouched"}}) {
        SCOPED_TRACE(value);
        PlayerRig rig(edition(), switches(std::string("AlwaysFront=") + value));
        rig.start();
        std::string outcome = "untouched";
        if (!rig.window.stackings.empty()) {
            outcome = rig.window.stackings.back().topmost ? "topmost" : "not topmost";
        }
        EXPECT_EQ(outcome, edition().features.notTopmostStep ? expected : "topmost");
    }
}

TEST_P(Startup, ScreenModeCodesChooseTheEngineDisplaySize) {
    const std::pair<int, int> codes[] = {{0, 4},   {50, 1},  {100, 0}, {200, 2}, {300, 7},
                                         {400, 6}, {500, 5}, {999, 3}, {75, -1}};
    for (const auto& [code, displaySize] : codes) {
        PlayerRig rig(edition(), switches("ScreenMode=" + std::to_string(code)));
        rig.engine.displaySize = -1;
        rig.start();
        EXPECT_EQ(rig.engine.displaySize, displaySize) << code;
    }
}

TEST_P(Startup, ClassicModeOverridesThePlatformVersion) {
    if (!edition().allowances) {
        GTEST_SKIP() << "no frame allowances in this edition";
    }
    struct Case {
        PlatformVersion version;
        const char* classicMode;
        bool classic;
    } const cases[] = {{{4, 0}, "0", true},  {{5, 0}, "0", true},  {{5, 1}, "0", false},
                       {{6, 0}, "0", true},  {{6, 1}, "0", false}, {{6, 2}, "1", true},
                       {{10, 0}, "0", true}, {{6, 1}, "2", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.version.major << "." << c.version.minor);
        PlayerRig rig(edition(), switches(std::string("ClassicMode=") + c.classicMode));
        rig.platform.version = c.version;
        rig.start();
        const FrameAllowances& allowances = *edition().allowances;
        EXPECT_EQ(rig.window.height - rig.engine.height,
                  c.classic ? allowances.verticalClassic : allowances.vertical);
    }
}

TEST_P(Startup, KeyZRunsStartupAgainWithoutClearingFlags) {
    if (!edition().keys.has(KeyCommand::RestartStartup)) {
        GTEST_SKIP() << "no key Z in this edition";
    }
    PlayerRig rig(edition(), switches("ScreenSaverOFF=1\nResumePlay=1\nPlayEndExitPlayer=1\n"
                                      "NotPlayInfoDisplay=1\nScreenMode=50\n"));
    rig.platform.commandLine = "/m/a.avi";
    rig.platform.existingPaths = {{"/m/a.avi", "/m/a.avi"}};
    rig.start();
    // Turned off in the file since, except the screen saver; the media closed; the window
    // resized.
    rig.settings.content = switches("ScreenSaverOFF=1\nScreenMode=100\n");
    rig.engine.fileName.clear();
    rig.window.width = 3000;
    EXPECT_EQ(rig.press('Z'), 0);

    EXPECT_EQ(rig.engine.displaySize, kDisplayOwnSize);
    EXPECT_EQ(rig.engine.fileName, "/m/a.avi");  // the command line opened again
    EXPECT_EQ(rig.window.width, edition().defaultSize->width * 15);
    const RunFlags& flags = rig.player->Flags();
    EXPECT_EQ(flags.resumePlay, 1);
    EXPECT_EQ(flags.playEndExitPlayer, 1);
    EXPECT_EQ(flags.notPlayInfoDisplay, 1);
    rig.engine.position = 12;
    rig.engine.raiseEndOfStream();
    EXPECT_EQ(rig.platform.endings, 1);
    EXPECT_EQ(rig.stored(kResumeSection, kPositionKey), "12");
    // held once however often start-up ran, and given back once
    EXPECT_EQ(rig.platform.screenSaverHolds, 1);
    EXPECT_EQ(rig.platform.screenSaverReleases, 1);
}

}  // namespace
}  // namespace nwmp::testing
