#include "platform/linux/engine/engine_control_bar.hpp"

#include <QtCore/QEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QProxyStyle>
#include <QtWidgets/QSlider>
#include <QtWidgets/QToolButton>
#include <algorithm>

#include "platform/linux/engine/engine_volume.hpp"
#include "platform/linux/engine/media_button_icons.hpp"

namespace nwmp::engine {

namespace {

constexpr int kTrackerSteps = 1000;
// Below this the volume slider's lowest notch means silence; finer steps down there are
// inaudible anyway.
constexpr int kVolumeSliderFloor = -4000;
constexpr int kIconSize = 14;

// The application's palette with every colour set on the bar itself: a role left unset would be
// taken from the engine control, whose window colour is the picture's black.
QPalette applicationPalette() {
    const QPalette app = QApplication::palette();
    QPalette result;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole) {
                continue;
            }
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            result.setBrush(g, r, app.brush(g, r));
        }
    }
    return result;
}

// A click on the tracker's groove puts the handle there, as players do, instead of stepping.
class TrackerStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_Slider_AbsoluteSetButtons) {
            return Qt::LeftButton;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

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
    setPalette(applicationPalette());
    setBackgroundRole(QPalette::Window);
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
    // Owned by the bar and made after the tracker, so that it outlives the tracker.
    auto* trackerStyle = new TrackerStyle;
    trackerStyle->setParent(this);
    tracker_->setStyle(trackerStyle);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    rows->addLayout(buttons);
    playPause_ = addButton(buttons, MediaGlyph::Play, QStringLiteral("再生"),
                           [this] { actions_.playPause(); });
    stop_ =
        addButton(buttons, MediaGlyph::Stop, QStringLiteral("停止"), [this] { actions_.stop(); });
    if (settings.seekAndSkip) {
        addButton(buttons, MediaGlyph::SkipBack, QStringLiteral("前へ"),
                  [this] { actions_.previous(); });
        seekButtons_.push_back(addButton(buttons, MediaGlyph::SeekBack, QStringLiteral("巻き戻し"),
                                         [this] { actions_.seekBack(); }));
        seekButtons_.push_back(addButton(buttons, MediaGlyph::SeekForward, QStringLiteral("早送り"),
                                         [this] { actions_.seekForward(); }));
        addButton(buttons, MediaGlyph::SkipForward, QStringLiteral("次へ"),
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
    paintIcons();
    showProgress(0, 0.0, 0.0);
}

QToolButton* EngineControlBar::addButton(QLayout* row, MediaGlyph icon, const QString& tip,
                                         std::function<void()> act) {
    auto* button = new QToolButton;
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setIconSize(QSize(kIconSize, kIconSize));
    connect(button, &QToolButton::clicked, this, [act = std::move(act)] { act(); });
    row->addWidget(button);
    iconButtons_.emplace_back(button, icon);
    return button;
}

// The icons are made once per palette: the bar is told the progress many times a
// second, and a fresh icon each time would fill the pixmap cache with copies.
void EngineControlBar::paintIcons() {
    const QPalette& colours = palette();
    const qreal ratio = devicePixelRatioF();
    for (const auto& [button, icon] : iconButtons_) {
        button->setIcon(mediaIcon(icon, kIconSize, colours, ratio));
    }
    playIcon_ = mediaIcon(MediaGlyph::Play, kIconSize, colours, ratio);
    pauseIcon_ = mediaIcon(MediaGlyph::Pause, kIconSize, colours, ratio);
    if (playPause_ != nullptr) {
        playPause_->setIcon(showsPause_ ? pauseIcon_ : playIcon_);
    }
}

void EngineControlBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
        case QEvent::ApplicationPaletteChange:
            setPalette(applicationPalette());  // brings a PaletteChange, which repaints the icons
            break;
        case QEvent::PaletteChange:
            paintIcons();
            break;
        default:
            break;
    }
}

void EngineControlBar::showProgress(std::int32_t playState, double position, double duration) {
    const bool playing = playState == 2;
    if (playing != showsPause_) {
        showsPause_ = playing;
        playPause_->setIcon(playing ? pauseIcon_ : playIcon_);
        playPause_->setToolTip(playing ? QStringLiteral("一時停止") : QStringLiteral("再生"));
    }
    const bool loaded = playState != 0;
    stop_->setEnabled(loaded);
    for (QToolButton* seek : seekButtons_) {
        seek->setEnabled(loaded && duration > 0);
    }
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
