// Drops, the click toggle on the picture, and the URL dialog.

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

class Opening : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(Opening);

TEST_P(Opening, DroppedFilesAreHandedOverInTurnAndTheLastStays) {
    const bool accepts = edition().features.dropAndClick;
    for (int target = 0; target < 2; ++target) {
        PlayerRig rig(edition());
        rig.start();
        rig.engine.clearCalls();
        const std::vector<std::string> files = {"/m/1.avi", "/m/2.mp3", "/m/3.wav"};
        target == 0 ? rig.player->Label1_OLEDragDrop(files) : rig.player->Form_OLEDragDrop(files);
        EXPECT_EQ(rig.engine.fileName, accepts ? "/m/3.wav" : "");
        if (accepts) {
            ASSERT_EQ(rig.engine.calls.size(), 6u);
            EXPECT_EQ(rig.engine.calls[2], (FakeMediaEngine::Call{Member::Stop, ""}));
            EXPECT_EQ(rig.engine.calls[3],
                      (FakeMediaEngine::Call{Member::SetFileName, "/m/2.mp3"}));
        }
        rig.player->Form_OLEDragDrop({});
        EXPECT_EQ(rig.engine.fileName, accepts ? "/m/3.wav" : "");
    }
}

TEST_P(Opening, ClickOnThePictureTogglesPlaying) {
    PlayerRig rig(edition());
    rig.start();
    rig.engine.playState = kPlaying;
    rig.player->Label1_Click();
    const bool clicks = edition().features.dropAndClick;
    EXPECT_EQ(rig.engine.playState, clicks ? kPaused : kPlaying);
    rig.player->Label1_Click();
    EXPECT_EQ(rig.engine.playState, kPlaying);
}

class UrlDialog : public EveryEdition {
  protected:
    void SetUp() override {
        if (!edition().window.hasUrlDialog) {
            GTEST_SKIP() << "no URL dialog in this edition";
        }
    }
};
NWMP_FOR_EVERY_EDITION(UrlDialog);

TEST_P(UrlDialog, SitsBelowTheMainWindowAsWideAsIt) {
    PlayerRig rig(edition());
    rig.start();
    EXPECT_FALSE(rig.urlWindow.visible);
    rig.window.left = 1000;
    rig.window.top = 2000;
    rig.window.height = 5000;
    rig.window.width = 8000;
    rig.urlWindow.text1 = "typed";
    rig.press('U');
    EXPECT_TRUE(rig.urlWindow.visible);
    EXPECT_EQ(rig.urlWindow.top, 7000);
    EXPECT_EQ(rig.urlWindow.left, 1000);
    EXPECT_EQ(rig.urlWindow.width, 8000);
    EXPECT_EQ(rig.urlWindow.text1Width, 7300);
    EXPECT_EQ(rig.urlWindow.command1Left, 7300);
    EXPECT_EQ(rig.urlWindow.text1, "typed");
    rig.press('U');
    EXPECT_FALSE(rig.urlWindow.visible);
    rig.press('U');
    rig.player->Form_Activate();  // focus back in the main window
    EXPECT_FALSE(rig.urlWindow.visible);
}

TEST_P(UrlDialog, FocusClearsThePromptOrRefillsTheMediaName) {
    PlayerRig rig(edition());
    rig.start();
    URL& url = *rig.player->Url();
    url.Text1_GotFocus();
    EXPECT_EQ(rig.urlWindow.text1, "");
    rig.urlWindow.text1 = "http://host/a";
    url.Text1_GotFocus();
    EXPECT_EQ(rig.urlWindow.text1, "http://host/a");
    rig.engine.fileName = "/m/playing.avi";
    url.Text1_GotFocus();
    EXPECT_EQ(rig.urlWindow.text1, "/m/playing.avi");
}

TEST_P(UrlDialog, EnterOrPlayHandsTheTextOverAsTypedAndHides) {
    PlayerRig rig(edition());
    rig.start();
    URL& url = *rig.player->Url();
    rig.press('U');
    rig.urlWindow.text1 = " http://host/x.asf ";
    std::int16_t key = 'A';
    url.Text1_KeyDown(key, 0);
    EXPECT_EQ(rig.engine.fileName, "");
    EXPECT_EQ(key, 'A');  // left to the text box
    key = 13;
    url.Text1_KeyDown(key, 0);
    EXPECT_EQ(key, 0);  // handled, so the text box does not act on it too
    EXPECT_EQ(rig.engine.fileName, " http://host/x.asf ");
    EXPECT_FALSE(rig.urlWindow.visible);
    rig.urlWindow.text1.clear();
    url.Command1_Click();
    EXPECT_EQ(rig.engine.fileName, "");
    rig.player->Form_Unload();
    EXPECT_EQ(rig.urlWindow.unloads, 1);
}

}  // namespace
}  // namespace nwmp::testing
