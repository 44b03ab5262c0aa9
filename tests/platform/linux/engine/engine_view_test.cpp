// The engine as a widget: the picture really drawn, sizes in twips, auto size per display size,
// the whole-screen display, the control bar's room, and keys as virtual-key codes.
#include <gtest/gtest.h>

#include <QtCore/QPointer>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QSlider>
#include <QtWidgets/QToolButton>
#include <cstdlib>

#include "engine_fixture.hpp"
#include "platform/linux/engine/engine_control_bar.hpp"

namespace nwmp::testing {
namespace {

double twipsPerPixel(const QWidget& widget) {
    return 1440.0 / widget.logicalDpiY();
}

// How far the button's drawing stands out from its background (grey levels, 0 to 255).
int iconContrast(QWidget* button) {
    const QImage image = button->grab().toImage();
    const int background = qGray(image.pixel(0, 0));
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            most = std::max(most, std::abs(qGray(image.pixel(x, y)) - background));
        }
    }
    return most;
}

class EngineRendererTest : public EngineTest,
                           public ::testing::WithParamInterface<engine::Renderer> {};

TEST_P(EngineRendererTest, DrawsTheColouredPicture) {
    makeEngine(ControlBar{true, false, false}, GetParam());
    EXPECT_EQ(engine_->usesOpenGL(), GetParam() == engine::Renderer::OpenGL);
    EXPECT_FALSE(showsPicture(engine_->pictureSurface()->grab().toImage()));
    openAndPlay("sample.mkv");
    engine_->Pause();
    EXPECT_TRUE(waitFor([&] { return showsPicture(engine_->pictureSurface()->grab().toImage()); }));
}

INSTANTIATE_TEST_SUITE_P(Renderers, EngineRendererTest,
                         ::testing::Values(engine::Renderer::OpenGL, engine::Renderer::Software),
                         [](const auto& param) {
                             return param.param == engine::Renderer::OpenGL ? "OpenGL" : "Software";
                         });

TEST_F(EngineTest, FileOpenedBeforeTheControlIsShownStillShowsItsPicture) {
    host_ = std::make_unique<QWidget>();
    engine_ = new engine::MpvMediaEngine(ControlBar{false, false, false}, host_.get(), {"null"});
    engine_->setEventSink(&sink_);
    engine_->SetFileName(mediaPath("sample.mkv"));
    host_->resize(320, 240);
    host_->show();
    ASSERT_TRUE(waitForState(kPlaying));
    engine_->Pause();  // keeps the picture after the clip's three seconds
    EXPECT_TRUE(waitFor([&] { return showsPicture(engine_->pictureSurface()->grab().toImage()); }));
}

TEST_F(EngineTest, WidthAndHeightAreTwipsOfTheWidget) {
    const double tpp = 1440.0 / engine_->logicalDpiX();
    engine_->SetWidth(300 * tpp);
    engine_->SetHeight(200 * twipsPerPixel(*engine_));
    engine_->SetLeft(10 * tpp);
    engine_->SetTop(20 * twipsPerPixel(*engine_));
    EXPECT_EQ(engine_->geometry(), QRect(10, 20, 300, 200));
    EXPECT_DOUBLE_EQ(engine_->Width(), 300 * tpp);
    EXPECT_DOUBLE_EQ(engine_->Height(), 200 * twipsPerPixel(*engine_));
}

TEST_F(EngineTest, ControlBarFitsTheHostsSevenHundredTwips) {
    const int bar = engine_->controlBarHeight();
    EXPECT_LE(bar * twipsPerPixel(*engine_), 700.0);
    EXPECT_GT(bar * twipsPerPixel(*engine_), 700.0 - twipsPerPixel(*engine_));
    EXPECT_LE(engine_->controlBar()->minimumSizeHint().height(), bar);
    EXPECT_EQ(engine_->controlBar()->geometry().bottom(), engine_->height() - 1);
    EXPECT_EQ(engine_->pictureSurface()->geometry().bottom(), engine_->height() - bar - 1);

    makeEngine(ControlBar{false, false, false});
    EXPECT_EQ(engine_->controlBarHeight(), 0);
    EXPECT_EQ(engine_->controlBar(), nullptr);
}

struct AutoSizeCase {
    std::int32_t displaySize;
    int width;
    int height;
};

class EngineAutoSizeTest : public EngineTest, public ::testing::WithParamInterface<AutoSizeCase> {};

TEST_P(EngineAutoSizeTest, TakesThePictureSizePlusTheControlBar) {
    for (const bool barShown : {true, false}) {
        makeEngine(ControlBar{barShown, false, false});
        engine_->SetDisplaySize(GetParam().displaySize);
        engine_->SetAutoSize(true);
        openAndPlay("tagged.avi");  // 64 x 48
        const int bar = engine_->controlBarHeight();
        EXPECT_EQ(engine_->size(), QSize(GetParam().width, GetParam().height + bar)) << barShown;
        EXPECT_DOUBLE_EQ(engine_->Height(), (GetParam().height + bar) * twipsPerPixel(*engine_));
    }
}

INSTANTIATE_TEST_SUITE_P(DisplaySizes, EngineAutoSizeTest,
                         ::testing::Values(AutoSizeCase{0, 64, 48}, AutoSizeCase{1, 32, 24},
                                           AutoSizeCase{2, 128, 96}, AutoSizeCase{4, 64, 48}));

// A host that fits its window to the control on every play-state change must find the picture's
// size there when playing is reported, on every start however libmpv orders its reports.
TEST_F(EngineTest, PlayingIsReportedOnlyOnceAutoSizeHasTheRealPictureSize) {
    engine_->SetDisplaySize(2);
    engine_->SetAutoSize(true);
    const QSize designSize = engine_->size();
    const QSize doubled(640, 480 + engine_->controlBarHeight());
    std::vector<QSize> whenPlaying;
    sink_.onStateChange = [&](std::int32_t state) {
        if (state == kPlaying) {
            whenPlaying.push_back(engine_->size());
        }
    };
    for (int start = 0; start < 4; ++start) {
        whenPlaying.clear();
        sink_.stateChanges.clear();
        openAndPlay("picture320.avi");
        EXPECT_EQ(sink_.stateChanges.front().second, 3) << "start " << start;
        for (const QSize& size : whenPlaying) {
            EXPECT_EQ(size, doubled) << "start " << start;
        }
    }
    // Sound alone: playing follows waiting once the tracks are known, and the size stays.
    makeEngine(ControlBar{true, false, false});
    engine_->SetDisplaySize(2);
    engine_->SetAutoSize(true);
    openAndPlay("long.mp3");
    EXPECT_EQ(sink_.stateChanges.front().first, kStopped);
    EXPECT_EQ(sink_.stateChanges.front().second, 3);
    EXPECT_EQ(engine_->size(), designSize);
}

TEST_F(EngineTest, AutoSizeFollowsALaterDisplaySize) {
    openAndPlay("tagged.avi");
    engine_->SetDisplaySize(2);
    engine_->SetAutoSize(true);
    EXPECT_EQ(engine_->size(), QSize(128, 96 + engine_->controlBarHeight()));
    engine_->SetDisplaySize(1);
    EXPECT_EQ(engine_->size(), QSize(32, 24 + engine_->controlBarHeight()));
}

TEST_F(EngineTest, OwnSizePictureIsCentredInALargerControl) {
    engine_->resize(400, 300);
    engine_->SetDisplaySize(0);
    openAndPlay("tagged.avi");
    const int area = 300 - engine_->controlBarHeight();
    EXPECT_EQ(engine_->pictureSurface()->geometry(),
              QRect((400 - 64) / 2, (area - 48) / 2, 64, 48));
}

TEST_F(EngineTest, EntireScreenCoversTheScreenAndComesBack) {
    openAndPlay("sample.mkv");
    engine_->SetDisplaySize(kDisplayFullScreen);
    QWidget* window = engine_->fullScreenWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_TRUE(waitFor([&] { return window->geometry() == window->screen()->geometry(); }));
    EXPECT_EQ(engine_->pictureSurface()->window(), window);
    engine_->Pause();
    EXPECT_TRUE(waitFor([&] { return showsPicture(engine_->pictureSurface()->grab().toImage()); }));

    // Keys reach the host from the whole-screen window, Esc too: the players end by it.
    QTest::keyClick(window, Qt::Key_F);
    QTest::keyClick(window, Qt::Key_Escape);
    ASSERT_EQ(sink_.keys.size(), 2u);
    EXPECT_EQ(sink_.keys[0].first, 70);
    EXPECT_EQ(sink_.keys[1].first, 27);
    EXPECT_EQ(engine_->fullScreenWindow(), window);
    window->close();  // as the window manager's close request
    ASSERT_TRUE(waitFor([&] { return engine_->fullScreenWindow() == nullptr; }));
    EXPECT_EQ(engine_->DisplaySize(), kDisplayFitToControl);
    EXPECT_EQ(engine_->pictureSurface()->parentWidget(), engine_);
    engine_->Play();
    ASSERT_TRUE(waitForState(kPlaying));
    EXPECT_TRUE(waitFor([&] { return showsPicture(engine_->pictureSurface()->grab().toImage()); }));
}

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::int16_t code;
    std::int16_t shift;
};

TEST_F(EngineTest, KeysArriveAsVirtualKeyCodesWithTheShiftState) {
    const KeyCase cases[] = {
        {Qt::Key_F, Qt::NoModifier, 70, 0},
        {Qt::Key_F, Qt::ShiftModifier, 70, 1},
        {Qt::Key_F, Qt::ControlModifier, 70, 2},
        {Qt::Key_F, Qt::AltModifier, 70, 4},
        {Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier, 90, 3},
        {Qt::Key_Escape, Qt::NoModifier, 27, 0},
        {Qt::Key_Return, Qt::NoModifier, 13, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, 13, 0},
        {Qt::Key_7, Qt::NoModifier, 55, 0},
        {Qt::Key_Left, Qt::NoModifier, 37, 0},
        {Qt::Key_Tab, Qt::NoModifier, 9, 0},
        {Qt::Key_F5, Qt::NoModifier, 116, 0},
    };
    host_->activateWindow();
    engine_->SetFocus();
    for (const KeyCase& c : cases) {
        sink_.keys.clear();
        QTest::keyClick(engine_, c.key, c.modifiers);
        // The modifier keys themselves are reported first, as they go down.
        ASSERT_FALSE(sink_.keys.empty()) << c.code;
        EXPECT_EQ(sink_.keys.back(), std::make_pair(c.code, c.shift));
    }
}

TEST_F(EngineTest, EndsWhileTheEntireScreenLasts) {
    openAndPlay("sample.mkv");
    engine_->SetDisplaySize(kDisplayFullScreen);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(engine_->fullScreenWindow()));
    QPointer<QWidget> window = engine_->fullScreenWindow();
    host_.reset();  // deletes the engine with its picture in the whole-screen window
    engine_ = nullptr;
    EXPECT_TRUE(window.isNull());
}

TEST_F(EngineTest, FocusNeedsAVisibleControl) {
    engine_->hide();
    EXPECT_THROW(engine_->SetFocus(), EngineError);
    engine_->show();
    EXPECT_NO_THROW(engine_->SetFocus());
}

TEST_F(EngineTest, ClickOnThePictureTogglesPlaying) {
    openAndPlay("sample.mkv");
    QTest::mouseClick(engine_->pictureSurface(), Qt::LeftButton);
    EXPECT_EQ(engine_->PlayState(), kPaused);
    QTest::mouseClick(engine_->pictureSurface(), Qt::LeftButton);
    ASSERT_TRUE(waitForState(kPlaying));
}

TEST_F(EngineTest, ControlBarStandsOutFromThePictureAndDimsWhatCannotAct) {
    for (const ControlBar& bar : {ControlBar{true, false, false}, ControlBar{true, true, true}}) {
        makeEngine(bar);
        auto* play = engine_->controlBar()->playPauseButton();
        auto* stop = engine_->controlBar()->stopButton();
        EXPECT_FALSE(stop->isEnabled());
        EXPECT_GE(iconContrast(play), 100);
        const int disabled = iconContrast(stop);
        EXPECT_GE(disabled, 20);
        openAndPlay("sample.mkv");
        EXPECT_TRUE(stop->isEnabled());
        EXPECT_GE(iconContrast(stop), disabled + 40);
    }
}

TEST_F(EngineTest, ClickOnTheTrackersGrooveJumpsThere) {
    openAndPlay("sample.mkv");
    engine_->Pause();
    QSlider* tracker = engine_->controlBar()->tracker();
    ASSERT_TRUE(waitFor([&] { return tracker->isEnabled(); }));
    const QPoint threeQuarters(tracker->width() * 3 / 4, tracker->height() / 2);
    QTest::mouseClick(tracker, Qt::LeftButton, {}, threeQuarters);
    EXPECT_NEAR(engine_->CurrentPosition(), engine_->Duration() * 0.75, engine_->Duration() * 0.1);
}

TEST_F(EngineTest, VolumeSliderSetsTheEngineVolume) {
    auto* slider = engine_->controlBar()->volumeSlider();
    ASSERT_NE(slider, nullptr);
    slider->setValue(-1500);
    EXPECT_EQ(engine_->Volume(), -1500);
    slider->setValue(slider->minimum());
    EXPECT_EQ(engine_->Volume(), -10000);
    engine_->SetVolume(5);
    EXPECT_EQ(engine_->Volume(), 0);
    EXPECT_EQ(slider->value(), 0);

    makeEngine(ControlBar{true, false, false});
    EXPECT_EQ(engine_->controlBar()->volumeSlider(), nullptr);
}

}  // namespace
}  // namespace nwmp::testing
