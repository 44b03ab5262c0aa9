// Opening the window: the switches, the screen mode, the association ticks, a second copy.

#include <gtest/gtest.h>

#include "settings_tool/nwmpset_messages.hpp"
#include "tool_harness.hpp"

namespace nwmp::testing {
namespace {

struct OpeningCase {
    const char* name;
    const char* file;
    const char* checks;  // box 0 first
    std::string_view combo;
    std::vector<std::string_view> messages;
    friend void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.name; }
};

const std::string kFit{kScreenModes[0].text};

class Opening : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(Opening, ShowsTheFileMendedAndWritesNothing) {
    const OpeningCase& c = GetParam();
    ToolHarness tool(c.file);
    tool.form.Form_Load();

    EXPECT_EQ(tool.view.checkPattern(), c.checks);
    EXPECT_EQ(tool.view.combo, c.combo);
    EXPECT_EQ(tool.messages.texts(),
              std::vector<std::string>(c.messages.begin(), c.messages.end()));
    EXPECT_EQ(tool.view.text1Value, "/opt/nwmp/NorvalentWMP3TE");
    EXPECT_TRUE(tool.file.writes.empty());
    EXPECT_FALSE(tool.view.closed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Opening,
    ::testing::Values(
        OpeningCase{"NoFile", "", "00000000", kFit, {}},
        OpeningCase{"OnlyExactlyOneIsOn",
                    "[Norvalent WMP 3]\nAlwaysFront=2\nOriginalFit=10\nScreenSaverOFF=-1\n"
                    "ScreenInfoSave=150\nNotMultiStart=999\nResumePlay=1\nPlayEndExitPlayer=x\n",
                    "00000010",
                    kFit,
                    {}},
        OpeningCase{"MultiStartWithoutHiddenInfoOpensMended",
                    "[Norvalent WMP 3]\nNotMultiStart=1\nNotPlayInfoDisplay=0\n",
                    "00001100",
                    kFit,
                    {kMultiStartMessage}},
        // Box 5 is set only after box 4, so the rule speaks even when the file is in order.
        OpeningCase{"MultiStartWithHiddenInfo",
                    "[Norvalent WMP 3]\nNotMultiStart=1\nNotPlayInfoDisplay=1\n",
                    "00001100",
                    kFit,
                    {kMultiStartMessage}},
        OpeningCase{"WholeScreenWithAlwaysOnTopOpensMended",
                    "[Norvalent WMP 3]\nAlwaysFront=1\nOriginalFit=1\nScreenMode=999\n",
                    "01000000",
                    kScreenModes[7].text,
                    {kFullScreenTypedMessage}},
        OpeningCase{"HandEditedSpellingAndBlanks",
                    "[norvalent wmp 3]\nalwaysfront= 1\nRESUMEPLAY=1abc\nscreenmode=500\n",
                    "10000010",
                    kScreenModes[6].text,
                    {}},
        OpeningCase{"EverySwitchOnAndEveryMode",
                    "[Norvalent WMP 3]\nAlwaysFront=1\nOriginalFit=1\nScreenSaverOFF=1\n"
                    "ScreenInfoSave=1\nNotMultiStart=1\nNotPlayInfoDisplay=1\nResumePlay=1\n"
                    "PlayEndExitPlayer=1\nClassicMode=1\nScreenMode=200\n",
                    "11111111",
                    kScreenModes[3].text,
                    {kMultiStartMessage}},
        OpeningCase{"UnknownModeKeepsTheDefaultText",
                    "[Norvalent WMP 3]\nScreenMode=150\n",
                    "00000000",
                    kFit,
                    {}},
        OpeningCase{"NegativeMode", "[Norvalent WMP 3]\nScreenMode=-1\n", "00000000", kFit, {}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Opening, TicksTheSlotsKeptAsRegisteredIncludingTheEmptyNamedOne) {
    ToolHarness tool("[KeepConnect]\n.mp3=1\n.avi=2\n.asx=1\n=1\n.wav=0\n");
    tool.form.Form_Load();
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(tool.view.kanren[i], i == 4 || i == 10 || i == 11) << "slot " << i;
    }
    EXPECT_EQ(tool.view.text2Value, "");
}

TEST(Opening, DefaultProgramUsesThePlatformsSeparatorAndSuffix) {
    ToolHarness tool;
    tool.folder.folder = "C:\\ツール";
    tool.folder.separator = "\\";
    tool.folder.suffix = ".exe";
    tool.form.Form_Load();
    EXPECT_EQ(tool.view.text1Value, "C:\\ツール\\NorvalentWMP3TE.exe");
}

TEST(Opening, SecondCopySaysSoAndEndsBeforeTouchingAnything) {
    ToolHarness tool("[Norvalent WMP 3]\nAlwaysFront=1\n");
    tool.process.otherCopy = true;
    tool.form.Form_Load();

    EXPECT_EQ(tool.journal, (Journal{"message:" + std::string(kAlreadyRunningMessage), "endNow"}));
    ASSERT_EQ(tool.messages.shown.size(), 1u);
    EXPECT_EQ(tool.messages.shown[0].title, kToolMessageTitle);
    EXPECT_EQ(tool.messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(tool.settings.reads, 0);
    EXPECT_EQ(tool.view.checkPattern(), "00000000");
}

}  // namespace
}  // namespace nwmp::testing
