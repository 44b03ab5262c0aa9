// The single-key commands.

#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

TEST(Keys, EachEditionActsOnExactlyItsOwnKeys) {
    // key -> acted on in standard, KOVEX, Pemra, Dask
    struct Row {
        char key;
        std::array<bool, 4> acts;
    } const rows[] = {
        {'F', {1, 1, 1, 1}}, {'R', {1, 1, 1, 1}}, {'N', {1, 1, 1, 1}}, {'B', {1, 1, 1, 1}},
        {'L', {1, 1, 1, 1}}, {'X', {1, 1, 1, 1}}, {'S', {1, 1, 1, 1}}, {27, {1, 1, 1, 1}},
        {13, {1, 1, 1, 1}},  {'T', {1, 1, 1, 0}}, {'D', {0, 0, 1, 0}}, {'P', {1, 1, 1, 0}},
        {'O', {1, 0, 1, 0}}, {'U', {1, 1, 1, 0}}, {'Z', {1, 1, 1, 0}}, {'A', {0, 0, 0, 0}},
        {'f', {0, 0, 0, 0}},  // not a virtual-key code: letters arrive upper case
    };
    ASSERT_EQ(editions::kAll[0], &editions::kStandard);
    ASSERT_EQ(editions::kAll[3], &editions::kDask);
    for (const Row& row : rows) {
        for (std::size_t e = 0; e < editions::kAll.size(); ++e) {
            const EditionProfile& edition = *editions::kAll[e];
            SCOPED_TRACE(std::string(edition.name) + " key " + std::to_string(row.key));
            PlayerRig rig(edition);
            rig.start();
            rig.engine.clearCalls();
            const auto windowBefore = std::tuple(rig.window.windowState, rig.urlWindow.visible);
            const bool acted = rig.press(row.key) == 0;
            EXPECT_EQ(acted, row.acts[e]);
            if (!acted) {
                // an ignored key changes nothing
                EXPECT_TRUE(rig.engine.callsOf(Member::SetFileName).empty());
                EXPECT_EQ(windowBefore, std::tuple(rig.window.windowState, rig.urlWindow.visible));
                EXPECT_EQ(rig.platform.endings + rig.platform.startedPrograms.size(), 0u);
            }
        }
    }
}

class Key : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(Key);

TEST_P(Key, SeekAndPlayListAndWholeScreen) {
    PlayerRig rig(edition());
    rig.start();
    rig.engine.position = 10;
    rig.press('F');
    rig.press('F');
    rig.press('R');
    EXPECT_EQ(rig.engine.position, 11);
    rig.press('N');
    rig.press('B');
    EXPECT_EQ(rig.engine.callsOf(Member::Next).size(), 1u);
    EXPECT_EQ(rig.engine.callsOf(Member::Previous).size(), 1u);
    rig.press('S');
    EXPECT_EQ(rig.engine.displaySize, kDisplayFullScreen);
}

TEST_P(Key, RepeatAndExitAtEndExcludeEachOther) {
    struct Step {
        char key;
        std::int32_t playCount;
        std::int16_t exitFlag;
    };
    PlayerRig rig(edition(), switches("PlayEndExitPlayer=1"));
    rig.start();
    rig.engine.playState = kPaused;
    for (const Step& step :
         {Step{'L', 0, 0}, Step{'X', 1, 1}, Step{'X', 1, 0}, Step{'L', 0, 0}, Step{'L', 1, 0}}) {
        rig.press(step.key);
        EXPECT_EQ(rig.engine.playCount, step.playCount) << step.key;
        EXPECT_EQ(rig.player->Flags().playEndExitPlayer, step.exitFlag) << step.key;
    }
    EXPECT_EQ(rig.engine.playState, kPlaying);  // repeat switched on while paused starts playing
}

TEST_P(Key, RepeatWhilePlayingDoesNotRestart) {
    PlayerRig rig(edition());
    rig.start();
    rig.engine.playState = kPlaying;
    rig.press('L');
    EXPECT_EQ(rig.engine.playCount, 0);  // repeat is on
    EXPECT_TRUE(rig.engine.callsOf(Member::Play).empty());
}

TEST_P(Key, WindowStateAndSettingsTool) {
    PlayerRig rig(edition());
    rig.start();
    if (edition().keys.has(KeyCommand::ToggleMaximised)) {
        rig.press('P');
        EXPECT_EQ(rig.window.windowState, kWindowMaximised);
        rig.press('P');
        EXPECT_EQ(rig.window.windowState, kWindowNormal);
    }
    if (edition().keys.has(KeyCommand::Minimise)) {
        rig.press('O');
        rig.press('P');
        EXPECT_EQ(rig.window.windowState, kWindowNormal);
    }
    if (edition().keys.has(KeyCommand::SettingsTool)) {
        rig.press('T');
        EXPECT_EQ(rig.platform.startedPrograms, std::vector<std::string>{"NorvalentWMP3set"});
        rig.platform.failing = true;  // the tool cannot be started: nothing else happens
        rig.press('T');
        EXPECT_EQ(rig.platform.startedPrograms.size(), 1u);
    }
}

TEST(OpenFileDialog, OffersTheFiveFiltersAndHandsOverTheChoice) {
    PlayerRig rig(editions::kPemra);
    rig.start();
    rig.openDialog.answer = "/m/chosen.wmv";
    rig.press('D');
    EXPECT_EQ(rig.engine.fileName, "/m/chosen.wmv");
    EXPECT_EQ(rig.openDialog.owners, std::vector<WindowId>{rig.window.handle});
    ASSERT_EQ(rig.openDialog.filters.size(), 1u);
    const std::vector<ParsedFileFilter> filters = parseFilterText(rig.openDialog.filters[0]);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"メディアファイル (すべての種類)",
         "*.avi;*.asf;*.asx;*.mid;*.mov;*.mp3;*.mpg;*.wav;*.wma;*.wmv;*.wvx"},
        {"Windows ビデオ ファイル (*.avi)", "*.avi"},
        {"ムービーファイル (*.mpg)", "*.mpg;*.mpeg"},
        {"Windows Media ファイル (*.asf;*.wmv;)", "*.asf;*.wmv"},
        {"すべてのファイル", "*.*"}};
    ASSERT_EQ(filters.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(filters[i].description, expected[i].first);
        std::string joined;
        for (const std::string& pattern : filters[i].patterns) {
            joined += (joined.empty() ? "" : ";") + pattern;
        }
        EXPECT_EQ(joined, expected[i].second);
    }
    rig.openDialog.answer.clear();  // cancelled
    rig.press('D');
    EXPECT_EQ(rig.engine.fileName, "");
}

}  // namespace
}  // namespace nwmp::testing
