// An engine and a platform that fail at every call: the player still comes up, and no handler
// lets a failure out.

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

class FailingEverything : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(FailingEverything);

TEST_P(FailingEverything, StartupCompletesAndEveryHandlerReturnsQuietly) {
    PlayerRig rig(edition(), switches("AlwaysFront=1\nOriginalFit=1\nScreenSaverOFF=1\n"
                                      "ScreenInfoSave=1\nNotMultiStart=1\nResumePlay=1\n"
                                      "PlayEndExitPlayer=1\nScreenMode=999\n"));
    rig.engine.failEveryMember();
    rig.platform.failing = true;
    rig.platform.previousInstance = true;
    rig.platform.runningPlayer = [](std::string_view) -> bool {
        throw std::runtime_error("the other player hung");
    };
    rig.start();
    // The window still has a size and the run-time flags are in force.
    EXPECT_GT(rig.window.width, 0);
    EXPECT_EQ(rig.player->Flags().resumePlay, honoursSlot(edition(), kResumePlay) ? 1 : 0);
    if (edition().handOff) {
        EXPECT_EQ(rig.window.caption, edition().handOff->captionAfter);
    }

    for (const KeyBinding& binding : kKeyBindings) {
        rig.press(static_cast<char>(binding.keyCode));
    }
    rig.engine.raisePlayStateChange(kStopped, kPlaying);
    rig.engine.raiseEndOfStream();
    rig.player->Timer1_Timer();
    rig.player->Form_Resize();
    rig.player->Label1_Click();
    rig.player->Label1_OLEDragDrop({"/m/a.avi"});
    rig.player->Form_OLEDragDrop({"/m/a.avi"});
    if (URL* url = rig.player->Url()) {
        url->Text1_GotFocus();
        url->Command1_Click();
    }
    rig.player->Form_Activate();
    rig.player->Form_Unload();
    // The window's geometry is still saved; the engine has no file and position to give.
    EXPECT_EQ(rig.settings.writes.size(), honoursSlot(edition(), kScreenInfoSave) ? 4u : 0u);
    EXPECT_EQ(rig.stored(kResumeSection, kFilePathKey), "<absent>");
}

}  // namespace
}  // namespace nwmp::testing
