#include "common/screen_modes.hpp"

#include <gtest/gtest.h>

namespace nwmp {
namespace {

TEST(ScreenModes, CodesDisplaySizesAndListTextsInListOrder) {
    struct Row {
        std::int32_t code;
        std::int32_t displaySize;
        std::string_view text;
    };
    const Row rows[] = {
        {0, 4, "画面にフィット(標準)"},  {50, 1, "動画サイズの半分"},
        {100, 0, "動画サイズと同じ"},    {200, 2, "動画サイズの２倍"},
        {300, 7, "画面サイズの２/１"},   {400, 6, "画面サイズの４/１"},
        {500, 5, "画面サイズの１６/１"}, {999, 3, "フルスクリーン"},
    };
    ASSERT_EQ(std::size(rows), kScreenModes.size());
    for (std::size_t i = 0; i < kScreenModes.size(); ++i) {
        SCOPED_TRACE(rows[i].code);
        EXPECT_EQ(kScreenModes[i].code, rows[i].code);
        EXPECT_EQ(kScreenModes[i].displaySize, rows[i].displaySize);
        EXPECT_EQ(kScreenModes[i].text, rows[i].text);
        EXPECT_EQ(screenModeByCode(rows[i].code)->text, rows[i].text);
        EXPECT_EQ(screenModeByText(rows[i].text)->code, rows[i].code);
    }
}

TEST(ScreenModes, UnknownCodesAndTextsSelectNothing) {
    for (std::int32_t code : {75, 150, 700, -1, 1, 998}) {
        EXPECT_FALSE(screenModeByCode(code).has_value()) << code;
    }
    for (std::string_view text : {"フルスクリーン ", " フルスクリーン", "", "画面サイズの2/1"}) {
        EXPECT_FALSE(screenModeByText(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace nwmp
