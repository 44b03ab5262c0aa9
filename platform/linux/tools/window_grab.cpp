// Saves a picture of one X11 window, or of the whole screen, as PNG:
//
//   nwmp-window-grab OUT.png [WINDOW_ID]
//
// Used by ./play to show what the player drew when it runs without a desktop.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.png [WINDOW_ID]\n", argv[0]);
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "no screen to grab\n");
        return 1;
    }
    const WId window = argc == 3 ? QString::fromLocal8Bit(argv[2]).toULongLong(nullptr, 0) : 0;
    const QPixmap picture = screen->grabWindow(window);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "could not grab or save the picture\n");
        return 1;
    }
    return 0;
}
