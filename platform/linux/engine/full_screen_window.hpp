#pragma once

// Display size 3: a frameless, topmost window of the engine's own that covers the screen and
// holds the picture while it lasts. The host's windows stay as they are. A double click on the
// picture or closing the window go back to the previous display size; every key, Esc included,
// is reported as the engine's key-down, as in the embedded control.

#include <QtWidgets/QWidget>
#include <functional>

class QKeyEvent;

namespace nwmp::engine {

class FullScreenWindow : public QWidget {
  public:
    FullScreenWindow(QScreen* screen, std::function<void(QKeyEvent*)> keyPressed,
                     std::function<void()> leave);

    // Takes the picture surface and fills the window with it.
    void hold(QWidget* surface);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }

  private:
    std::function<void(QKeyEvent*)> keyPressed_;
    std::function<void()> leave_;
};

}  // namespace nwmp::engine
