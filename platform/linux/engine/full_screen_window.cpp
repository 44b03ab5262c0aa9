#include "platform/linux/engine/full_screen_window.hpp"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QBoxLayout>

namespace nwmp::engine {

FullScreenWindow::FullScreenWindow(QScreen* screen, std::function<void(QKeyEvent*)> keyPressed,
                                   std::function<void()> leave)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      keyPressed_(std::move(keyPressed)),
      leave_(std::move(leave)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (screen != nullptr) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
}

void FullScreenWindow::hold(QWidget* surface) {
    surface->setParent(this);
    layout()->addWidget(surface);
    surface->show();
}

void FullScreenWindow::keyPressEvent(QKeyEvent* event) {
    // Esc too belongs to the host, as on the embedded picture: the players end by it.
    keyPressed_(event);
}

void FullScreenWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the engine takes the picture back and then deletes this window
    leave_();
}

}  // namespace nwmp::engine
