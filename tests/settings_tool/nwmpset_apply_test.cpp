// "設定" and "閉じる": what is written, in which order, and what survives.

#include <gtest/gtest.h>

#include "settings_tool/nwmpset_messages.hpp"
#include "tool_harness.hpp"

namespace nwmp::testing {
namespace {

const char* const kHandEdited =
    "; kept by hand\n[Norvalent WMP 3]\nClassicMode=1\nNotMultiStart=2\nScreenMode=150\n"
    "[Screen]\nHeight=300\nLeft=-2400\n[ResumeInfo]\nFilePath=C:\\曲\\a.mp3\nPosition=61\n"
    "[KeepConnect]\n.mp3=1\n";

TEST(Apply, WritesTheEightSwitchesThenTheModeAndNothingElse) {
    ToolHarness tool(kHandEdited);
    tool.form.Form_Load();
    tool.view.userClicksCheck(tool.form, 6);
    tool.form.Command1_Click();

    std::vector<MemorySettingsFile::Write> expected;
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        expected.push_back(
            {std::string(kMainSection), std::string(kSwitchKeys[i]), i == kResumePlay ? "1" : "0"});
    }
    expected.push_back({std::string(kMainSection), "ScreenMode", "0"});
    EXPECT_EQ(tool.file.writes, expected);
    EXPECT_TRUE(tool.messages.shown.empty());

    for (const char* kept :
         {"; kept by hand\n", "ClassicMode=1\n", "[Screen]\nHeight=300\nLeft=-2400\n",
          "[ResumeInfo]\nFilePath=C:\\曲\\a.mp3\nPosition=61\n", "[KeepConnect]\n.mp3=1\n"}) {
        EXPECT_NE(tool.file.content.find(kept), std::string::npos) << kept;
    }
    EXPECT_LT(tool.at("write:ScreenMode=0"), tool.at("hide"));
    EXPECT_LT(tool.at("hide"), tool.at("close"));
}

struct ComboCase {
    std::string text;
    const char* written;
    bool invalid;
    friend void PrintTo(const ComboCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class ApplyMode : public ::testing::TestWithParam<ComboCase> {};

TEST_P(ApplyMode, MapsTheComboTextExactly) {
    ToolHarness tool;
    tool.form.Form_Load();
    tool.view.userTypes(tool.form, GetParam().text);
    tool.form.Command1_Click();

    EXPECT_EQ(tool.file.value(kMainSection, "ScreenMode"), GetParam().written);
    if (GetParam().invalid) {
        ASSERT_EQ(tool.messages.shown.size(), 1u);
        EXPECT_EQ(tool.messages.shown[0].text, kInvalidScreenModeMessage);
        EXPECT_EQ(tool.messages.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(tool.messages.shown[0].title, kToolMessageTitle);
    } else {
        EXPECT_TRUE(tool.messages.shown.empty());
    }
    EXPECT_TRUE(tool.view.closed);
}

INSTANTIATE_TEST_SUITE_P(Texts, ApplyMode,
                         ::testing::Values(ComboCase{"画面にフィット(標準)", "0", false},
                                           ComboCase{"動画サイズの半分", "50", false},
                                           ComboCase{"動画サイズと同じ", "100", false},
                                           ComboCase{"動画サイズの２倍", "200", false},
                                           ComboCase{"画面サイズの２/１", "300", false},
                                           ComboCase{"画面サイズの４/１", "400", false},
                                           ComboCase{"画面サイズの１６/１", "500", false},
                                           ComboCase{"フルスクリーン", "999", false},
                                           ComboCase{"フルスクリーン ", "0", true},
                                           ComboCase{"動画サイズの2倍", "0", true},
                                           ComboCase{"", "0", true}));

TEST(Apply, TrailingBlankAfterWholeScreenKeepsAlwaysOnTop) {
    ToolHarness tool("[Norvalent WMP 3]\nAlwaysFront=1\nScreenMode=999\n");
    tool.view.userClicksCheck(tool.form, 0);
    tool.view.userTypes(tool.form, std::string(kScreenModes[7].text) + " ");
    tool.form.Command1_Click();
    EXPECT_EQ(tool.messages.texts(),
              std::vector<std::string>{std::string(kInvalidScreenModeMessage)});
    EXPECT_EQ(tool.file.value(kMainSection, "AlwaysFront"), "1");
    EXPECT_EQ(tool.file.value(kMainSection, "ScreenMode"), "0");
}

TEST(Close, HidesAndClosesWritingNothing) {
    ToolHarness tool(kHandEdited);
    tool.form.Form_Load();
    tool.view.userClicksCheck(tool.form, 0);
    const std::string before = tool.file.content;
    tool.form.Command2_Click();
    EXPECT_TRUE(tool.view.hidden);
    EXPECT_TRUE(tool.view.closed);
    EXPECT_TRUE(tool.file.writes.empty());
    EXPECT_EQ(tool.file.content, before);
}

}  // namespace
}  // namespace nwmp::testing
