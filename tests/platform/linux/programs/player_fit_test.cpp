// Fit-to-video on every start: with OriginalFit the Pemra player's window follows the engine
// control once the picture's size is known, for each screen mode and picture, and the same on
// every start however libmpv orders its reports. Each start is judged on its own.

#include <gtest/gtest.h>

#include "player_install.hpp"
#include "tests/platform/linux/support/wait_for.hpp"

namespace nwmp::linux_platform::testing {
namespace {

struct FitCase {
    int screenMode;
    int pictureWidth;  // the clip's picture is 4:3
    QSize window;      // worked out by hand below
};

constexpr int kStarts = 3;

// The window on the test's 1280 x 1024 display at 15 twips a pixel: Pemra's control, sized to the
// picture plus its 46-pixel bar (700 twips), and the window's allowances of 100 and 500 twips,
// which are 7 and 33 pixels once rounded: a picture of W x H gives a window of W + 7 x H + 79.
// The picture for each screen mode, for 320 x 240 and 640 x 480:
//   0 (fits the control) and 100 (own size): 320 x 240, 640 x 480
//   50 (half size): 160 x 120, 320 x 240; 200 (double size): 640 x 480, 1280 x 960
//   300 (half the screen's area, a box of 1280 x 1024 / sqrt 2 = 905.1 x 724.1): 905 x 679
//   400 (a quarter, a box of 640 x 512): 640 x 480; 500 (a sixteenth, 320 x 256): 320 x 240
//   999 (entire screen): no fit, the control keeps its design size of 448 x 336 and no bar,
//       giving 448 + 7 x 336 + 33.

class PlayerFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(PlayerFitTest, WindowFitsThePictureOnEveryStart) {
    const FitCase& c = GetParam();
    const QString clip = media("picture" + std::to_string(c.pictureWidth) + ".avi");
    ASSERT_EQ(xdotool({QStringLiteral("getdisplaygeometry")}), QStringLiteral("1280 1024"));
    for (int start = 1; start <= kStarts; ++start) {
        PlayerInstall player(
            QStringLiteral(PEMRA_PROGRAM),
            "[Norvalent WMP 3]\nOriginalFit=1\nScreenMode=" + std::to_string(c.screenMode) + "\n");
        player.start({clip});
        // Play information shows a second after playing was reported, well inside the clip's
        // twelve seconds: the fit has been made by then, or it is not made until the clip ends.
        ASSERT_TRUE(player.waitForTitle(QRegularExpression(QStringLiteral("\\[00:0")), 15s))
            << "start " << start << ": " << player.errorOutput().toStdString();
        const auto shown = [&] {
            return windowGeometry(*player.window()).value_or(QRect()).size();
        };
        waitFor([&] { return shown() == c.window; }, 2s);
        EXPECT_EQ(shown(), c.window) << "start " << start;
        player.press(QStringLiteral("Escape"));
        EXPECT_TRUE(player.waitForEnd(10s));
    }
}

std::string caseName(const ::testing::TestParamInfo<FitCase>& info) {
    return "Mode" + std::to_string(info.param.screenMode) + "_" +
           std::to_string(info.param.pictureWidth);
}

const FitCase kCases[] = {
    {0, 320, {327, 319}},   {0, 640, {647, 559}},     {50, 320, {167, 199}},
    {50, 640, {327, 319}},  {100, 320, {327, 319}},   {100, 640, {647, 559}},
    {200, 320, {647, 559}}, {200, 640, {1287, 1039}}, {300, 320, {912, 758}},
    {300, 640, {912, 758}}, {400, 320, {647, 559}},   {400, 640, {647, 559}},
    {500, 320, {327, 319}}, {500, 640, {327, 319}},   {999, 320, {455, 369}},
    {999, 640, {455, 369}},
};

INSTANTIATE_TEST_SUITE_P(ScreenModes, PlayerFitTest, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace nwmp::linux_platform::testing
