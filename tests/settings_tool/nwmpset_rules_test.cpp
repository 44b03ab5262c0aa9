// The two rules while editing: multi-start (any box change) and whole screen (typing only).

#include <gtest/gtest.h>

#include "settings_tool/nwmpset_messages.hpp"
#include "tool_harness.hpp"

namespace nwmp::testing {
namespace {

struct ClickCase {
    std::vector<std::size_t> clicks;  // boxes the user toggles, in order
    const char* checks;
    std::size_t multiStartMessages;
    friend void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.checks; }
};

class MultiStartRule : public ::testing::TestWithParam<ClickCase> {};

TEST_P(MultiStartRule, KeepsTitleInfoHiddenWhileSecondStartsArePrevented) {
    ToolHarness tool;
    tool.form.Form_Load();
    for (std::size_t box : GetParam().clicks) {
        tool.view.userClicksCheck(tool.form, box);
    }
    EXPECT_EQ(tool.view.checkPattern(), GetParam().checks);
    EXPECT_EQ(tool.messages.shown.size(), GetParam().multiStartMessages);
    for (const auto& shown : tool.messages.shown) {
        EXPECT_EQ(shown.text, kMultiStartMessage);
        EXPECT_EQ(shown.icon, MessageIcon::Information);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, MultiStartRule,
    ::testing::Values(ClickCase{{4}, "00001100", 1}, ClickCase{{5, 4}, "00001100", 0},
                      ClickCase{{4, 5}, "00001100", 2}, ClickCase{{4, 5, 5}, "00001100", 3},
                      ClickCase{{4, 4}, "00000100", 1}, ClickCase{{4, 4, 5}, "00000000", 1},
                      ClickCase{{0, 1, 2, 3, 6, 7}, "11110011", 0},
                      ClickCase{{5, 4, 5}, "00001100", 1}),
    [](const auto& testCase) {
        std::string name = "Clicks";
        for (std::size_t box : testCase.param.clicks) {
            name.append("_").append(std::to_string(box));
        }
        return name;
    });

TEST(MultiStartRule, MessageComesBeforeTheBoxIsChecked) {
    ToolHarness tool;
    tool.view.userClicksCheck(tool.form, 4);
    EXPECT_LT(tool.at("message:" + std::string(kMultiStartMessage)), tool.at("Check(5)=1"));
    EXPECT_LT(tool.at("Check(5)=1"), tool.journal.size());
}

const std::string kWholeScreen{kScreenModes[7].text};

TEST(WholeScreenRule, TypingItWithAlwaysOnTopUnchecksFirstThenSays) {
    ToolHarness tool;
    tool.view.userClicksCheck(tool.form, 0);
    tool.view.userTypes(tool.form, "フル");
    EXPECT_TRUE(tool.view.checks[0]);
    tool.view.userTypes(tool.form, kWholeScreen);

    EXPECT_FALSE(tool.view.checks[0]);
    EXPECT_EQ(tool.messages.texts(),
              std::vector<std::string>{std::string(kFullScreenTypedMessage)});
    EXPECT_LT(tool.at("Check(0)=0"), tool.at("message:" + std::string(kFullScreenTypedMessage)));
}

TEST(WholeScreenRule, NeedsTheExactTextAndACheckedBox) {
    for (const std::string& typed :
         {kWholeScreen + " ", " " + kWholeScreen, std::string(kScreenModes[6].text)}) {
        ToolHarness tool;
        tool.view.userClicksCheck(tool.form, 0);
        tool.view.userTypes(tool.form, typed);
        EXPECT_TRUE(tool.view.checks[0]) << typed;
        EXPECT_TRUE(tool.messages.shown.empty()) << typed;
    }
    ToolHarness unchecked;
    unchecked.view.userTypes(unchecked.form, kWholeScreen);
    EXPECT_TRUE(unchecked.messages.shown.empty());
}

TEST(WholeScreenRule, PickingItFromTheListWaitsForApply) {
    ToolHarness tool;
    tool.form.Form_Load();
    tool.view.userClicksCheck(tool.form, 0);
    tool.view.userPicks(7);
    EXPECT_TRUE(tool.view.checks[0]);
    EXPECT_TRUE(tool.messages.shown.empty());

    tool.form.Command1_Click();
    EXPECT_EQ(tool.messages.texts(),
              std::vector<std::string>{std::string(kFullScreenApplyMessage)});
    EXPECT_LT(tool.at("message:" + std::string(kFullScreenApplyMessage)),
              tool.at("write:AlwaysFront=0"));
    EXPECT_EQ(tool.file.value(kMainSection, "AlwaysFront"), "0");
    EXPECT_EQ(tool.file.value(kMainSection, "ScreenMode"), "999");
}

}  // namespace
}  // namespace nwmp::testing
