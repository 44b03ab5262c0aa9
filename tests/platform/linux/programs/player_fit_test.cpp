// Fit-to-video on every start: with OriginalFit the Pemra player's window follows the engine
// control once the picture's size is known, for each screen mode and picture, and the same on
// every start however libmpv orders its reports. Each start is judged on its own.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <cmath>

#include "platform/linux/engine/picture_geometry.hpp"
#include "player_install.hpp"

namespace nwmp::linux_platform::testing {
namespace {

struct FitCase {
    int screenMode;
    std::int32_t displaySize;  // what the screen mode sets in the engine
    int pictureWidth;
};

// Twips per pixel of the test display, and Pemra's allowances and control bar, in twips.
constexpr double kTwips = 15.0;
constexpr double kWidthAllowance = 100.0;
constexpr double kHeightAllowance = 500.0;
constexpr int kBarPixels = 700 / 15;
constexpr int kStarts = 3;

// The window the fit gives: the control sized to the picture plus its bar, or kept at its design
// size where the picture follows the screen, plus the allowances.
QSize expectedWindow(const FitCase& c, QSize screen) {
    const engine::PixelExtent video{c.pictureWidth, c.pictureWidth * 3 / 4};
    const auto picture =
        engine::autoSizePicture(c.displaySize, video, {screen.width(), screen.height()});
    const QSize control =
        picture ? QSize(picture->width, picture->height + kBarPixels) : QSize(6720 / 15, 5040 / 15);
    // Whole pixels from twips: halves go to the even neighbour, as the player rounds.
    const auto pixels = [](double twips) {
        return static_cast<int>(std::nearbyint(twips / kTwips));
    };
    return {pixels(control.width() * kTwips + kWidthAllowance),
            pixels(control.height() * kTwips + kHeightAllowance)};
}

class PlayerFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(PlayerFitTest, WindowFitsThePictureOnEveryStart) {
    const FitCase& c = GetParam();
    const QString clip =
        QFileInfo(QStringLiteral(NWMP_TEST_MEDIA "/picture%1.avi").arg(c.pictureWidth))
            .canonicalFilePath();
    const QStringList screen = xdotool({QStringLiteral("getdisplaygeometry")}).split(' ');
    ASSERT_EQ(screen.size(), 2);
    const QSize expected = expectedWindow(c, {screen[0].toInt(), screen[1].toInt()});
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
        QElapsedTimer timer;
        timer.start();
        while (shown() != expected && timer.elapsed() < 2000) {
            QThread::msleep(50);
        }
        EXPECT_EQ(shown(), expected) << "start " << start;
        player.press(QStringLiteral("Escape"));
        EXPECT_TRUE(player.waitForEnd(10s));
    }
}

std::string caseName(const ::testing::TestParamInfo<FitCase>& info) {
    return "Mode" + std::to_string(info.param.screenMode) + "_" +
           std::to_string(info.param.pictureWidth);
}

constexpr FitCase kCases[] = {
    {0, 4, 320},   {0, 4, 640},   {50, 1, 320},  {50, 1, 640},  {100, 0, 320}, {100, 0, 640},
    {200, 2, 320}, {200, 2, 640}, {300, 7, 320}, {300, 7, 640}, {400, 6, 320}, {400, 6, 640},
    {500, 5, 320}, {500, 5, 640}, {999, 3, 320}, {999, 3, 640},
};

INSTANTIATE_TEST_SUITE_P(ScreenModes, PlayerFitTest, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace nwmp::linux_platform::testing
