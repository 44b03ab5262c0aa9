#include "common/open_file_dialog.hpp"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace nwmp {
namespace {

TEST(FilterText, EachItemEndsInNulAndTheListInOneMore) {
    const std::string text = buildFilterText({{"動画", "*.avi;*.mpg"}, {"すべて", "*.*"}});
    EXPECT_EQ(text, "動画\0*.avi;*.mpg\0すべて\0*.*\0\0"s);
}

TEST(FilterText, ParsesBackIntoDescriptionsAndPatterns) {
    const auto parsed =
        parseFilterText(buildFilterText({{"ムービー", "*.mpg;*.mpeg"}, {"すべて", "*.*"}}));
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].description, "ムービー");
    EXPECT_EQ(parsed[0].patterns, (std::vector<std::string>{"*.mpg", "*.mpeg"}));
    EXPECT_EQ(parsed[1].patterns, (std::vector<std::string>{"*.*"}));
}

TEST(FilterText, ToleratesMalformedText) {
    // No closing NUL, a description without its pattern, empty patterns between semicolons.
    EXPECT_TRUE(parseFilterText("").empty());
    EXPECT_TRUE(parseFilterText("\0"s).empty());
    const auto unpaired = parseFilterText("a\0*.a\0b"s);
    ASSERT_EQ(unpaired.size(), 1u);
    EXPECT_EQ(unpaired[0].description, "a");
    const auto gaps = parseFilterText("a\0;*.x;;\0\0"s);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0].patterns, (std::vector<std::string>{"*.x"}));
}

}  // namespace
}  // namespace nwmp
