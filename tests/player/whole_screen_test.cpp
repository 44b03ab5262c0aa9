// The whole-screen edition: topmost over the whole screen without pointer, few settings.

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

TEST(WholeScreen, StartsOverTheScreenAndResumesWithoutStoringGeometry) {
    PlayerRig rig(editions::kDask,
                  switches("AlwaysFront=0\nScreenInfoSave=1\nResumePlay=1\nScreenSaverOFF=1\n"
                           "OriginalFit=1\nClassicMode=1\n") +
                      "[ResumeInfo]\nFilePath=/m/last.avi\nPosition=33\n");
    rig.window.left = 4035;
    rig.start();
    EXPECT_EQ(std::tuple(rig.window.left, rig.window.top, rig.window.width, rig.window.height),
              std::tuple(0.0, 0.0, 28800.0, 16200.0));
    EXPECT_EQ(std::tuple(rig.engine.left, rig.engine.top), std::tuple(0.0, 0.0));
    ASSERT_EQ(rig.window.stackings.size(), 1u);
    EXPECT_TRUE(rig.window.stackings[0].topmost);
    EXPECT_EQ(rig.engine.fileName, "/m/last.avi");
    EXPECT_EQ(rig.engine.position, 33);
    EXPECT_EQ(rig.platform.pointerHides, 1);
    EXPECT_EQ(rig.platform.screenSaverHolds, 1);
    EXPECT_TRUE(rig.engine.callsOf(Member::SetAutoSize).empty());  // OriginalFit not honoured

    rig.engine.position = 47;
    rig.press('\r');
    EXPECT_EQ(rig.platform.pointerShows, 1);
    EXPECT_EQ(rig.platform.screenSaverReleases, 1);
    EXPECT_EQ(rig.stored(kResumeSection, kPositionKey), "47");
    EXPECT_EQ(rig.stored(kScreenSection, kWidthKey), "<absent>");
    EXPECT_EQ(rig.platform.endings, 1);
}

TEST(WholeScreen, ReadsNoClassicModeAndHasNoTitleInformation) {
    PlayerRig rig(editions::kDask, switches("ClassicMode=1\nPlayEndExitPlayer=1"));
    rig.start();
    EXPECT_EQ(rig.player->Flags().classicFrame, 0);
    rig.engine.raisePlayStateChange(kStopped, kPlaying);
    EXPECT_FALSE(rig.window.timer1Enabled);
    rig.engine.raiseEndOfStream();
    EXPECT_EQ(rig.platform.endings, 1);
}

}  // namespace
}  // namespace nwmp::testing
