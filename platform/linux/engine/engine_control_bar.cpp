#include "platform/linux/engine/engine_control_bar.hpp"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolButton>
#include <algorithm>

#include "platform/linux/engine/engine_volume.hpp"

namespace nwmp::engine {

namespace {

constexpr int kTrackerSteps = 1000;
// Below this the volume slider's lowest notch means silence; finer steps down there are
// inaudible anyway.
constexpr int kVolumeSliderFloor = -4000;

QSlider* makeSlider(int minimum, int maximum, int value, const QString& tip) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setFocusPolicy(Qt::NoFocus);
    slider->setToolTip(tip);
    return slider;
}

}  // namespace

EngineControlBar::EngineControlBar(const ControlBar& settings, ControlBarActions actions,
                                   QWidget* parent)
    : QWidget(parent), actions_(std::move(actions)) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 1, 2, 1);
    rows->setSpacing(0);

    tracker_ = makeSlider(0, kTrackerSteps, 0, QStringLiteral("位置"));
    tracker_->setEnabled(false);
    auto seekToSlider = [this] {
        if (duration_ > 0 && actions_.seekTo) {
            actions_.seekTo(duration_ * tracker_->sliderPosition() / kTrackerSteps);
        }
    };
    connect(tracker_, &QSlider::sliderReleased, this, seekToSlider);
    connect(tracker_, &QSlider::actionTriggered, this, [this, seekToSlider](int action) {
        if (action != QAbstractSlider::SliderMove && !tracker_->isSliderDown()) {
            seekToSlider();
        }
    });
    rows->addWidget(tracker_);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    rows->addLayout(buttons);
    playPause_ = addButton(buttons, QStyle::SP_MediaPlay, QStringLiteral("再生"),
                           [this] { actions_.playPause(); });
    addButton(buttons, QStyle::SP_MediaStop, QStringLiteral("停止"), [this] { actions_.stop(); });
    if (settings.seekAndSkip) {
        addButton(buttons, QStyle::SP_MediaSkipBackward, QStringLiteral("前へ"),
                  [this] { actions_.previous(); });
        addButton(buttons, QStyle::SP_MediaSeekBackward, QStringLiteral("巻き戻し"),
                  [this] { actions_.seekBack(); });
        addButton(buttons, QStyle::SP_MediaSeekForward, QStringLiteral("早送り"),
                  [this] { actions_.seekForward(); });
        addButton(buttons, QStyle::SP_MediaSkipForward, QStringLiteral("次へ"),
                  [this] { actions_.next(); });
    }
    buttons->addStretch(1);
    if (settings.volumeAndBalance) {
        volume_ =
            makeSlider(kVolumeSliderFloor, kLoudestVolume, kLoudestVolume, QStringLiteral("音量"));
        volume_->setMaximumWidth(80);
        connect(volume_, &QSlider::valueChanged, this, [this](int value) {
            actions_.volume(value <= kVolumeSliderFloor ? kQuietestVolume : value);
        });
        balance_ = makeSlider(-kBalanceLimit, kBalanceLimit, 0, QStringLiteral("バランス"));
        balance_->setMaximumWidth(50);
        connect(balance_, &QSlider::valueChanged, this,
                [this](int value) { actions_.balance(value); });
        buttons->addWidget(volume_);
        buttons->addWidget(balance_);
    }
}

QToolButton* EngineControlBar::addButton(QLayout* row, int icon, const QString& tip,
                                         std::function<void()> act) {
    auto* button = new QToolButton;
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setIconSize(QSize(14, 14));
    connect(button, &QToolButton::clicked, this, [act = std::move(act)] { act(); });
    row->addWidget(button);
    return button;
}

void EngineControlBar::showProgress(std::int32_t playState, double position, double duration) {
    const bool playing = playState == 2;
    playPause_->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    playPause_->setToolTip(playing ? QStringLiteral("一時停止") : QStringLiteral("再生"));
    duration_ = duration;
    tracker_->setEnabled(duration > 0);
    if (!tracker_->isSliderDown()) {
        const double share = duration > 0 ? std::clamp(position / duration, 0.0, 1.0) : 0.0;
        const QSignalBlocker quiet(tracker_);
        tracker_->setValue(static_cast<int>(share * kTrackerSteps));
    }
}

void EngineControlBar::showVolume(std::int32_t volume, std::int32_t balance) {
    if (volume_ != nullptr) {
        const QSignalBlocker quietVolume(volume_);
        const QSignalBlocker quietBalance(balance_);
        volume_->setValue(std::max(volume, kVolumeSliderFloor));
        balance_->setValue(balance);
    }
}

}  // namespace nwmp::engine
