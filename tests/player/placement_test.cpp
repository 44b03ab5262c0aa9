// Window, engine control and Label1 kept fitted to each other; stored size and position.

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

TEST(FitToVideo, EachEditionHasItsOwnAllowances) {
    struct Case {
        const EditionProfile* edition;
        const char* classicMode;
        double vertical;
    } const cases[] = {{&editions::kStandard, "1", 0}, {&editions::kStandard, "0", 135},
                       {&editions::kKovex, "1", 390},  {&editions::kKovex, "0", 390},
                       {&editions::kPemra, "1", 365},  {&editions::kPemra, "0", 500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edition->name) + " ClassicMode=" + c.classicMode);
        PlayerRig rig(*c.edition, switches(std::string("OriginalFit=1\nScreenMode=100\n"
                                                       "ClassicMode=") +
                                           c.classicMode));
        rig.engine.autoWidth = 4800;
        rig.engine.autoHeight = 4300;
        rig.start();
        EXPECT_EQ(rig.window.height, 4300 + c.vertical);
        EXPECT_EQ(rig.window.width, 4800 + 100);
        EXPECT_EQ(rig.window.label1Height, 4300 - 700);
        EXPECT_EQ(rig.window.label1Width, 4800);
        // dragging the border: the window springs back
        rig.window.SetWidth(9000);
        EXPECT_EQ(rig.window.width, 4900);
        // a new picture size is known at the next play-state change, whatever the state
        rig.engine.autoHeight = 2000;
        rig.engine.raisePlayStateChange(kPlaying, kPaused);
        EXPECT_EQ(rig.window.height, 2000 + c.vertical);
    }
}

class Placement : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(Placement);

TEST_P(Placement, ControlFollowsTheWindowWithLabelClearOfTheControlBar) {
    PlayerRig rig(edition());
    rig.start();
    rig.window.SetHeight(9000);
    if (!edition().features.resizeFits) {
        EXPECT_EQ(rig.engine.height, rig.platform.screenHeight);
        EXPECT_FALSE(rig.engine.callsOf(Member::SetFocus).empty());
        return;
    }
    const FrameAllowances& allowances = *edition().allowances;
    EXPECT_EQ(rig.engine.height, 9000 - allowances.vertical);
    EXPECT_EQ(rig.engine.width, rig.window.width - allowances.horizontal);
    EXPECT_EQ(rig.window.label1Height, rig.engine.height - 700);
    EXPECT_EQ(rig.window.label1Width, rig.engine.width);
}

TEST_P(Placement, HiddenOrTooSmallWindowStopsTheResizeQuietly) {
    PlayerRig rig(edition());
    rig.start();
    rig.window.visible = false;
    rig.engine.clearCalls();
    rig.player->Form_Resize();
    EXPECT_TRUE(rig.engine.calls.empty());

    rig.window.visible = true;
    const double labelHeight = rig.window.label1Height;
    rig.window.height = 600;  // the label would be negative
    rig.player->Form_Resize();
    EXPECT_EQ(rig.window.label1Height, labelHeight);
}

TEST_P(Placement, StoredGeometryIsPixelsForSizeAndTwipsForPosition) {
    PlayerRig rig(edition(), switches("ScreenInfoSave=1\n") +
                                 "[Screen]\nWidth=640\nHeight=480\nLeft=1500\nTop=2400\n");
    rig.platform.twipsPerPixelX = 12;
    rig.start();
    if (!honoursSlot(edition(), kScreenInfoSave)) {
        EXPECT_EQ(rig.window.width, rig.platform.screenWidth);
        return;
    }
    EXPECT_EQ(rig.window.width, 640 * 12);
    EXPECT_EQ(rig.window.height, 480 * 15);
    EXPECT_EQ(rig.window.left, 1500);
    EXPECT_EQ(rig.window.top, 2400);
}

// A stored size no screen can show is limited to the largest screen and its window's hidden
// borders; a window whose title bar would lie on no screen goes to its design place. One screen
// of 1920 x 1080 pixels beside a second of 1280 x 720 to its right, whole screens: a panel that
// takes part of one is no reason to move or shrink a window.
TEST(StoredGeometry, IsLimitedToWhatTheScreensCanShow) {
    struct Case {
        const char* screen;
        double width, height, left, top;  // twips, as applied
    } const cases[] = {
        {"Width=640\nHeight=480\nLeft=1500\nTop=3000", 9600, 7200, 1500, 3000},
        {"Width=-500\nHeight=-500\nLeft=1500\nTop=3000", -7500, -7500, 1500, 3000},
        {"Width=0\nHeight=abc\nLeft=1500\nTop=3000", 0, 0, 1500, 3000},
        {"Width=99999999\nHeight=99999999", 29100, 16500, 0, 0},
        {"Width=2000\nHeight=1000\nLeft=31000\nTop=1500", 29100, 15000, 31000, 1500},
        {"Width=480", 7200, 6135, 0, 0},  // a first start, under a panel at the top
        // closed maximised on Windows: the work area and 8 invisible pixels on each side
        {"Width=1936\nHeight=1056\nLeft=-120\nTop=-120", 29040, 15840, -120, -120},
        {"Width=1936\nHeight=1096\nLeft=-120\nTop=-120", 29040, 16440, -120, -120},
        {"Top=-2147483648\nLeft=-2147483648", 7200, 6135, 4095, 3165},
        {"Top=16000\nLeft=28000", 7200, 6135, 28000, 16000},  // a strip of the bar shows
        {"Top=16200\nLeft=3000", 7200, 6135, 4095, 3165},     // below every screen
        {"Top=12000\nLeft=48300", 7200, 6135, 4095, 3165},    // right of the second screen
        {"Top=-300\nLeft=3000", 7200, 6135, 4095, 3165},      // the bar above the screen
        {"Top=-250\nLeft=3000", 7200, 6135, 3000, -250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        PlayerRig rig(editions::kPemra,
                      switches("ScreenInfoSave=1\n") + "[Screen]\n" + c.screen + "\n");
        rig.window.screens = {{0, 0, 28800, 16200}, {28800, 0, 19200, 10800}};
        rig.start();
        EXPECT_EQ(rig.window.width, c.width);
        EXPECT_EQ(rig.window.height, c.height);
        EXPECT_EQ(rig.window.left, c.left);
        EXPECT_EQ(rig.window.top, c.top);
    }
}

TEST(StoredGeometry, APlaceThePlatformCannotKnowIsNeverStored) {
    PlayerRig rig(editions::kStandard,
                  switches("ScreenInfoSave=1\n") + "[Screen]\nTop=1500\nLeft=3000\n");
    rig.window.placeKnown = false;
    rig.start();
    rig.window.left = -45;  // what such a platform reports: a place made up
    rig.window.top = -450;
    rig.window.width = 7500;
    rig.player->Form_Unload();
    EXPECT_EQ(rig.stored("Screen", "Width"), "500");
    EXPECT_EQ(rig.stored("Screen", "Top"), "1500");
    EXPECT_EQ(rig.stored("Screen", "Left"), "3000");
}

TEST_P(Placement, FirstStartWithScreenInfoSaveTakesTheDefaultSize) {
    if (!edition().defaultSize) {
        GTEST_SKIP() << "whole-screen edition";
    }
    PlayerRig rig(edition(), switches("ScreenInfoSave=1"));
    rig.start();
    EXPECT_EQ(rig.window.width, edition().defaultSize->width * 15);
    EXPECT_EQ(rig.window.height, edition().defaultSize->height * 15);
    EXPECT_EQ(rig.window.left, 0);
}

TEST_P(Placement, StackingAppliesTheWindowInPixelsRoundedHalfToEven) {
    PlayerRig rig(edition(), switches("AlwaysFront=1"));
    rig.start();
    rig.window.left = 1507.5;  // 100.5 pixels
    rig.window.top = 1522.5;   // 101.5 pixels
    rig.player->AlwaysBefore(kTrue);
    EXPECT_EQ(rig.window.stackings.back().outer.x, 100);
    EXPECT_EQ(rig.window.stackings.back().outer.y, 102);
    EXPECT_TRUE(rig.window.stackings.back().topmost);
}

}  // namespace
}  // namespace nwmp::testing
