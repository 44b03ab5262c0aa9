#pragma once

// The engine's own control bar under the picture: play/pause, stop and the tracker; with the
// volume-and-balance setting a volume and a balance slider; with the seek-and-skip setting
// buttons that seek back and forward and skip to the previous and next entry. None of its parts
// takes the keyboard focus, so keys keep reaching the engine control.
//
// The bar looks like the desktop's other controls whatever the picture around it: it takes the
// application's palette, not the black of the picture, and draws its icons in the palette's text
// colours, dimmed where a button cannot act. A click on the tracker's groove jumps there.

#include <QtGui/QIcon>
#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/linux/engine/media_button_icons.hpp"
#include "player/editions/edition_profile.hpp"

class QSlider;
class QToolButton;

namespace nwmp::engine {

struct ControlBarActions {
    std::function<void()> playPause;
    std::function<void()> stop;
    std::function<void()> seekBack;
    std::function<void()> seekForward;
    std::function<void()> previous;
    std::function<void()> next;
    std::function<void(double)> seekTo;         // seconds
    std::function<void(std::int32_t)> volume;   // engine volume, 0 loudest
    std::function<void(std::int32_t)> balance;  // engine balance
};

class EngineControlBar : public QWidget {
  public:
    EngineControlBar(const ControlBar& settings, ControlBarActions actions, QWidget* parent);

    // Shows the engine's play state, position and duration (seconds, 0 when unknown).
    void showProgress(std::int32_t playState, double position, double duration);
    void showVolume(std::int32_t volume, std::int32_t balance);

    QToolButton* playPauseButton() const { return playPause_; }
    QSlider* tracker() const { return tracker_; }
    QToolButton* stopButton() const { return stop_; }
    QSlider* volumeSlider() const { return volume_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QToolButton* addButton(QLayout* row, MediaGlyph icon, const QString& tip,
                           std::function<void()> act);
    void paintIcons();

    ControlBarActions actions_;
    std::vector<std::pair<QToolButton*, MediaGlyph>> iconButtons_;
    std::vector<QToolButton*> seekButtons_;
    QIcon playIcon_;
    QIcon pauseIcon_;
    bool showsPause_ = false;
    QToolButton* playPause_ = nullptr;
    QToolButton* stop_ = nullptr;
    QSlider* tracker_ = nullptr;
    QSlider* volume_ = nullptr;
    QSlider* balance_ = nullptr;
    double duration_ = 0.0;
};

}  // namespace nwmp::engine
