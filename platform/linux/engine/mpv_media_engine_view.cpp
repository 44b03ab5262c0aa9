// The widget side of the engine control: construction, geometry in twips, the picture's place
// for each display size, auto size, the whole-screen display, keys and the control bar.
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <cmath>

#include "common/numbers.hpp"
#include "platform/linux/engine/engine_control_bar.hpp"
#include "platform/linux/engine/full_screen_window.hpp"
#include "platform/linux/engine/mpv_media_engine.hpp"
#include "platform/linux/engine/virtual_keys.hpp"

namespace nwmp::engine {

namespace {

// The host keeps the bottom 700 twips of the control free for the control bar.
constexpr double kControlBarTwips = 700.0;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kSeekStepSeconds = 5.0;

// Runs a member for a button or click; a refusal (nothing loaded, no next entry) changes nothing.
template <class Member>
void quietly(Member member) {
    try {
        member();
    } catch (const EngineError&) {
    }
}

}  // namespace

MpvMediaEngine::MpvMediaEngine(const ControlBar& controlBar, QWidget* parent, EngineOptions options)
    : QWidget(parent), barSettings_(controlBar) {
    setFocusPolicy(Qt::StrongFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    mpv_ = std::make_unique<MpvSession>(static_cast<MpvListener&>(*this), options.audioOutput);
    SurfaceHooks hooks{
        [this] { togglePlay(); },
        [this] {
            if (fullScreen_ != nullptr) {
                QMetaObject::invokeMethod(
                    this,
                    [this] { quietly([this] { SetDisplaySize(displaySizeBeforeFullScreen_); }); },
                    Qt::QueuedConnection);
            }
        }};
    surface_ = createVideoSurface(mpv_->handle(), options.renderer, hooks, this, usesOpenGL_);
    if (barSettings_.shown) {
        ControlBarActions actions{
            [this] { togglePlay(); },
            [this] { Stop(); },
            [this] {
                quietly([this] { SetCurrentPosition(CurrentPosition() - kSeekStepSeconds); });
            },
            [this] {
                quietly([this] { SetCurrentPosition(CurrentPosition() + kSeekStepSeconds); });
            },
            [this] { quietly([this] { Previous(); }); },
            [this] { quietly([this] { Next(); }); },
            [this](double seconds) { quietly([this, seconds] { SetCurrentPosition(seconds); }); },
            [this](std::int32_t volume) { SetVolume(volume); },
            [this](std::int32_t balance) { SetBalance(balance); },
        };
        bar_ = new EngineControlBar(barSettings_, std::move(actions), this);
    }
    // The design size of the control: 6720 x 5040 twips.
    resize(static_cast<int>(std::lround(6720 / twipsPerPixelX())),
           static_cast<int>(std::lround(5040 / twipsPerPixelY())));
    relayout();
}

MpvMediaEngine::~MpvMediaEngine() {
    // The render context must go before libmpv itself. The surface goes first: while the entire
    // screen lasts it is the whole-screen window's child, and that window would delete it too.
    delete surface_;
    surface_ = nullptr;
    delete fullScreen_;
    fullScreen_ = nullptr;
    mpv_.reset();
}

double MpvMediaEngine::twipsPerPixelX() const {
    return kTwipsPerInch / logicalDpiX();
}
double MpvMediaEngine::twipsPerPixelY() const {
    return kTwipsPerInch / logicalDpiY();
}

int MpvMediaEngine::controlBarHeight() const {
    return bar_ == nullptr ? 0 : static_cast<int>(std::floor(kControlBarTwips / twipsPerPixelY()));
}

QWidget* MpvMediaEngine::fullScreenWindow() const {
    return fullScreen_;
}

void MpvMediaEngine::SetLeft(double twips) {
    move(toInt32(twips / twipsPerPixelX()), y());
}
void MpvMediaEngine::SetTop(double twips) {
    move(x(), toInt32(twips / twipsPerPixelY()));
}
double MpvMediaEngine::Width() const {
    return width() * twipsPerPixelX();
}
double MpvMediaEngine::Height() const {
    return height() * twipsPerPixelY();
}

void MpvMediaEngine::SetWidth(double twips) {
    resize(std::max(0, toInt32(twips / twipsPerPixelX())), height());
}

void MpvMediaEngine::SetHeight(double twips) {
    resize(width(), std::max(0, toInt32(twips / twipsPerPixelY())));
}

void MpvMediaEngine::SetFocus() {
    if (!isVisible()) {
        throw EngineError("SetFocus: the control is not visible");
    }
    setFocus(Qt::OtherFocusReason);
}

void MpvMediaEngine::SetDisplaySize(std::int32_t displaySize) {
    if (displaySize < kDisplayOwnSize || displaySize > kDisplayHalfScreen) {
        throw EngineError("SetDisplaySize: no such display size");
    }
    if (displaySize == kDisplayFullScreen) {
        if (displaySize_ != kDisplayFullScreen) {
            displaySizeBeforeFullScreen_ = displaySize_;
        }
        displaySize_ = displaySize;
        enterFullScreen();
        return;
    }
    displaySize_ = displaySize;
    leaveFullScreen();
    relayout();
    applyAutoSize();
}

void MpvMediaEngine::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    applyAutoSize();
}

void MpvMediaEngine::applyAutoSize() {
    if (!autoSize_) {
        return;
    }
    const QSize screenSize = screen() != nullptr ? screen()->geometry().size() : QSize();
    const auto picture =
        autoSizePicture(displaySize_, videoSize_, {screenSize.width(), screenSize.height()});
    if (picture) {
        resize(picture->width, picture->height + controlBarHeight());
    }
}

void MpvMediaEngine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void MpvMediaEngine::relayout() {
    const int barHeight = controlBarHeight();
    const int pictureHeight = std::max(0, height() - barHeight);
    if (bar_ != nullptr) {
        bar_->setGeometry(0, pictureHeight, width(), barHeight);
    }
    if (fullScreen_ != nullptr || surface_ == nullptr) {
        return;
    }
    const QSize screenSize = screen() != nullptr ? screen()->geometry().size() : QSize();
    const PixelRect place =
        picturePlacement(displaySize_, videoSize_, {screenSize.width(), screenSize.height()},
                         {width(), pictureHeight});
    surface_->setGeometry(place.x, place.y, place.width, place.height);
}

void MpvMediaEngine::enterFullScreen() {
    if (fullScreen_ != nullptr) {
        return;
    }
    QScreen* target = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    fullScreen_ = new FullScreenWindow(
        target, [this](QKeyEvent* event) { reportKey(event); },
        [this] {
            // Called from the window's own event handlers: let them return first.
            QMetaObject::invokeMethod(
                this, [this] { quietly([this] { SetDisplaySize(displaySizeBeforeFullScreen_); }); },
                Qt::QueuedConnection);
        });
    fullScreen_->hold(surface_);
    fullScreen_->showFullScreen();
    fullScreen_->raise();
    fullScreen_->activateWindow();
    fullScreen_->setFocus(Qt::OtherFocusReason);
}

void MpvMediaEngine::leaveFullScreen() {
    if (fullScreen_ == nullptr) {
        return;
    }
    FullScreenWindow* window = fullScreen_;
    fullScreen_ = nullptr;
    surface_->setParent(this);
    surface_->lower();
    surface_->show();
    window->hide();
    window->deleteLater();
    if (window->isActiveWindow() || isVisible()) {
        activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
    relayout();
}

void MpvMediaEngine::togglePlay() {
    quietly([this] {
        if (state_ == kStopped || state_ == kPaused) {
            Play();
        } else {
            Pause();
        }
    });
}

void MpvMediaEngine::keyPressEvent(QKeyEvent* event) {
    reportKey(event);
}

void MpvMediaEngine::reportKey(QKeyEvent* event) {
    std::int16_t code = virtualKeyFor(event->key(), event->modifiers());
    if (code == 0) {
        event->ignore();
        return;
    }
    event->accept();
    if (sink_ == nullptr) {
        return;
    }
    try {
        sink_->MediaPlayer1_KeyDown(code, shiftStateFor(event->modifiers()));
    } catch (...) {
        // The host's key handler ends quietly on its own; nothing crosses into Qt.
    }
}

}  // namespace nwmp::engine
