// The hand-off to a new start, resume, and what shut-down saves.

#include <cmath>

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

class HandOff : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(HandOff);

// The running player saves its geometry and resume data while it closes.
void runningPlayerSavesOnClose(PlayerRig& rig) {
    rig.platform.runningPlayer = [&rig](std::string_view) {
        for (const auto& [key, value] : {std::pair{kHeightKey, "300"},
                                         {kWidthKey, "400"},
                                         {kTopKey, "-2400"},
                                         {kLeftKey, "3000"}}) {
            rig.settings.writeText(kScreenSection, key, value);
        }
        rig.settings.writeText(kResumeSection, kFilePathKey, "/m/closed.mp3");
        rig.settings.writeText(kResumeSection, kPositionKey, "95");
        return true;
    };
}

// Whether the closed player has saved when the close request returns or only once awaited,
// the new start resumes what it saved and keeps the geometry from before.
TEST_P(HandOff, NewStartTakesOldGeometryThenResumesWhatTheClosedPlayerSaved) {
    for (const bool closesLater : {false, true}) {
        SCOPED_TRACE(closesLater ? "closes later" : "closed at once");
        PlayerRig rig(edition(), switches("ScreenInfoSave=1\nNotMultiStart=1\nResumePlay=1\n") +
                                     "[Screen]\nHeight=200\nWidth=250\nTop=150\nLeft=600\n");
        rig.platform.previousInstance = true;
        rig.platform.closesLater = closesLater;
        runningPlayerSavesOnClose(rig);
        rig.start();

        if (!edition().features.handOff) {
            EXPECT_TRUE(rig.platform.closeRequests.empty());
            EXPECT_EQ(rig.engine.fileName, "");
            continue;
        }
        EXPECT_EQ(rig.engine.fileName, "/m/closed.mp3");
        EXPECT_EQ(rig.engine.position, 95);
        ASSERT_EQ(rig.platform.closeRequests.size(), 1u);
        EXPECT_EQ(rig.platform.closeRequests[0].title, edition().handOff->searchedTitle);
        EXPECT_EQ(rig.platform.closeRequests[0].wait, kHandOffWait);
        // geometry as the file held it before the closed player saved its own
        EXPECT_EQ(rig.window.width, 250 * 15);
        EXPECT_EQ(rig.window.height, 200 * 15);
        EXPECT_EQ(rig.window.top, 150);
        EXPECT_EQ(rig.window.left, 600);
    }
}

TEST_P(HandOff, AClosedPlayerStillSavingNeverStoresOverWhatTheNewOneSaves) {
    if (!edition().handOff) {
        GTEST_SKIP() << "no hand-off in this edition";
    }
    PlayerRig rig(edition(), switches("ScreenInfoSave=1\nNotMultiStart=1\nResumePlay=1\n"));
    rig.platform.previousInstance = true;
    rig.platform.closesLater = true;
    runningPlayerSavesOnClose(rig);
    rig.platform.commandLine = "/m/new.avi";
    rig.platform.existingPaths = {{"/m/new.avi", "/m/new.avi"}};
    rig.start();
    rig.engine.position = 7;
    rig.player->Form_Unload();
    rig.platform.AwaitClosedPlayer();  // whatever of the old player's close was still to come

    EXPECT_EQ(rig.stored(kResumeSection, kFilePathKey), "/m/new.avi");
    EXPECT_EQ(rig.stored(kResumeSection, kPositionKey), "7");
    EXPECT_NE(rig.stored(kScreenSection, kHeightKey), "300");
}

TEST_P(HandOff, OwnTitlesAreOutOfTheWayWhileSearching) {
    if (!edition().handOff) {
        GTEST_SKIP() << "no hand-off in this edition";
    }
    PlayerRig rig(edition(), switches("NotMultiStart=1"));
    rig.platform.previousInstance = true;
    std::string captionWhileSearching, titleWhileSearching;
    rig.platform.runningPlayer = [&](std::string_view) {
        captionWhileSearching = rig.window.caption;
        titleWhileSearching = rig.window.applicationTitle;
        return false;
    };
    rig.start();
    EXPECT_EQ(captionWhileSearching, edition().handOff->temporaryTitle);
    EXPECT_EQ(titleWhileSearching, edition().handOff->temporaryTitle);
    EXPECT_EQ(rig.window.caption, edition().handOff->captionAfter);
    EXPECT_EQ(rig.window.applicationTitle, edition().handOff->temporaryTitle);
}

TEST_P(HandOff, OnlyWhenAnotherPlayerWasRunningAtStartAskedOncePerRun) {
    PlayerRig rig(edition(), switches("NotMultiStart=1"));
    rig.start();
    rig.press('Z');
    EXPECT_TRUE(rig.platform.closeRequests.empty());
    EXPECT_EQ(rig.window.applicationTitle, edition().applicationTitle);
    // An edition that hands off asks at start and not again for the start-up Z runs.
    const bool handsOff = edition().features.handOff && edition().handOff.has_value();
    EXPECT_EQ(rig.platform.previousInstanceAsks, handsOff ? 1 : 0);
}

TEST_P(HandOff, FileOnTheCommandLineWinsOverResume) {
    PlayerRig rig(edition(),
                  switches("ResumePlay=1\n") + "[ResumeInfo]\nFilePath=/m/old.avi\nPosition=40\n");
    rig.platform.commandLine = "/m/new.avi";
    rig.platform.existingPaths = {{"/m/new.avi", "/m/new.avi"}};
    rig.start();
    EXPECT_EQ(rig.engine.fileName, "/m/new.avi");
    EXPECT_EQ(rig.engine.position, 0);
    EXPECT_EQ(rig.stored(kResumeSection, kFilePathKey), "/m/old.avi");
}

TEST_P(HandOff, ResumeWithoutStoredFileStillSeeks) {
    PlayerRig rig(edition(), switches("ResumePlay=1\n") + "[ResumeInfo]\nPosition=40\n");
    rig.start();
    EXPECT_EQ(rig.engine.fileName, "");
    EXPECT_EQ(rig.engine.callsOf(Member::SetCurrentPosition).back().argument, "40");
}

class ShutDown : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(ShutDown);

TEST_P(ShutDown, SavesPositionRoundedHalfToEvenAndAsThirtyTwoBits) {
    const std::pair<double, const char*> cases[] = {
        {82.5, "82"}, {83.5, "84"}, {12.49, "12"}, {40000.0, "40000"}};
    for (const auto& [position, stored] : cases) {
        PlayerRig rig(edition(), switches("ResumePlay=1"));
        rig.start();
        rig.engine.fileName = "http://host/stream.asf";
        rig.engine.position = position;
        rig.player->Form_Unload();
        EXPECT_EQ(rig.stored(kResumeSection, kPositionKey), stored);
        EXPECT_EQ(rig.stored(kResumeSection, kFilePathKey), "http://host/stream.asf");
    }
}

TEST_P(ShutDown, NothingLoadedStoresAnEmptyFileNameWhateverThePositionReadDoes) {
    for (const bool positionFails : {true, false}) {
        PlayerRig rig(edition(), switches("ResumePlay=1\n") +
                                     "[ResumeInfo]\nFilePath=/m/closed.avi\nPosition=40\n");
        rig.start();
        ASSERT_EQ(rig.engine.fileName, "/m/closed.avi");
        rig.engine.fileName.clear();  // the user opened nothing after all
        rig.engine.position = 3;
        if (positionFails) {
            rig.engine.failMember(Member::CurrentPosition);
        }
        rig.player->Form_Unload();
        EXPECT_EQ(rig.stored(kResumeSection, kFilePathKey), "");
        EXPECT_EQ(rig.stored(kResumeSection, kPositionKey), positionFails ? "0" : "3");
    }
}

TEST_P(ShutDown, AFileNameThatCannotBeStoredKeepsTheWholeOldRecord) {
    PlayerRig rig(edition(),
                  switches("ResumePlay=1\n") + "[ResumeInfo]\nFilePath=/m/old.avi\nPosition=40\n");
    rig.start();
    rig.engine.fileName = "/m/line\nbreak.avi";
    rig.engine.position = 95;
    rig.player->Form_Unload();
    EXPECT_EQ(rig.stored(kResumeSection, kFilePathKey), "/m/old.avi");
    EXPECT_EQ(rig.stored(kResumeSection, kPositionKey), "40");
}

TEST_P(ShutDown, StoresGeometryOfWindowsBeyondSixteenBits) {
    PlayerRig rig(edition(), switches("ScreenInfoSave=1"));
    rig.start();
    rig.window.width = 7237.5;   // 482.5 pixels
    rig.window.height = 6127.5;  // 408.5 pixels
    rig.window.top = -40000;
    rig.window.left = 40000.5;
    rig.player->Form_Unload();
    if (!honoursSlot(edition(), kScreenInfoSave)) {
        EXPECT_TRUE(rig.settings.writes.empty());
        return;
    }
    const std::vector<MemorySettingsFile::Write> expected = {{"Screen", "Height", "408"},
                                                             {"Screen", "Width", "482"},
                                                             {"Screen", "Top", "-40000"},
                                                             {"Screen", "Left", "40000"}};
    EXPECT_EQ(rig.settings.writes, expected);
}

TEST_P(ShutDown, AFailingStepCostsNoOtherStep) {
    PlayerRig rig(edition(), switches("ScreenInfoSave=1\nResumePlay=1\nScreenSaverOFF=1"));
    rig.start();
    rig.engine.fileName = "/m/a.avi";
    rig.engine.failMember(Member::CurrentPosition);
    rig.window.width = std::nan("");  // cannot be stored
    rig.player->Form_Unload();
    EXPECT_EQ(rig.platform.screenSaverReleases, 1);
    EXPECT_TRUE(rig.settings.writes.empty());
    EXPECT_EQ(rig.urlWindow.unloads, edition().window.hasUrlDialog ? 1 : 0);
    EXPECT_EQ(rig.platform.pointerShows, rig.platform.pointerHides);
}

TEST_P(ShutDown, RunsOnceWhateverEndsThePlayer) {
    for (const char key : {'\x1b', '\r'}) {
        PlayerRig rig(edition(), switches("ResumePlay=1\nScreenSaverOFF=1"));
        rig.start();
        EXPECT_EQ(rig.press(key), 0);
        rig.player->Form_Unload();  // the platform's close after the program ended itself
        EXPECT_EQ(rig.platform.endings, 1);
        EXPECT_EQ(rig.settings.writes.size(), 2u);
        EXPECT_EQ(rig.platform.screenSaverReleases, 1);
    }
}

}  // namespace
}  // namespace nwmp::testing
