#include "platform/linux/shared/qt_units.hpp"

#include <QGuiApplication>
#include <QScreen>

#include "common/numbers.hpp"

namespace nwmp::linux_platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackDpi = 96.0;

double dpiOr96(double dpi) {
    return dpi > 0.0 ? dpi : kFallbackDpi;
}

}  // namespace

double twipsPerPixelX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return kTwipsPerInch / dpiOr96(screen ? screen->logicalDotsPerInchX() : kFallbackDpi);
}

double twipsPerPixelY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return kTwipsPerInch / dpiOr96(screen ? screen->logicalDotsPerInchY() : kFallbackDpi);
}

QRect primaryScreenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

std::vector<QRect> screenAreasPixels() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(screen->geometry());
    }
    return areas;
}

bool windowPlacesKnown() {
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

int pixelsX(double twips) {
    return toInt32(twips / twipsPerPixelX());
}

int pixelsY(double twips) {
    return toInt32(twips / twipsPerPixelY());
}

}  // namespace nwmp::linux_platform
