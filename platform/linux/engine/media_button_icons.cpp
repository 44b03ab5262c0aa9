#include "platform/linux/engine/media_button_icons.hpp"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>

namespace nwmp::engine {

namespace {

// The shapes on a 14 x 14 grid, scaled to the size asked for.
QPainterPath triangle(qreal left, qreal right, bool pointsRight) {
    QPainterPath path;
    const qreal tip = pointsRight ? right : left;
    const qreal base = pointsRight ? left : right;
    path.moveTo(base, 2);
    path.lineTo(tip, 7);
    path.lineTo(base, 12);
    path.closeSubpath();
    return path;
}

QPainterPath shape(MediaGlyph glyph) {
    QPainterPath path;
    switch (glyph) {
        case MediaGlyph::Play:
            return triangle(3, 12, true);
        case MediaGlyph::Pause:
            path.addRect(3, 2, 3, 10);
            path.addRect(8, 2, 3, 10);
            return path;
        case MediaGlyph::Stop:
            path.addRect(3, 3, 8, 8);
            return path;
        case MediaGlyph::SkipBack:
            path.addRect(2, 2, 2, 10);
            path.addPath(triangle(4, 12, false));
            return path;
        case MediaGlyph::SeekBack:
            path.addPath(triangle(0, 7, false));
            path.addPath(triangle(7, 14, false));
            return path;
        case MediaGlyph::SeekForward:
            path.addPath(triangle(0, 7, true));
            path.addPath(triangle(7, 14, true));
            return path;
        case MediaGlyph::SkipForward:
            path.addPath(triangle(2, 10, true));
            path.addRect(10, 2, 2, 10);
            return path;
    }
    return path;
}

QPixmap drawn(MediaGlyph glyph, int size, qreal ratio, const QColor& colour) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 14.0, size / 14.0);
    painter.fillPath(shape(glyph), colour);
    return pixmap;
}

QColor mixed(const QColor& a, const QColor& b, double shareOfB) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - shareOfB) + b.redF() * shareOfB),
                            static_cast<float>(a.greenF() * (1 - shareOfB) + b.greenF() * shareOfB),
                            static_cast<float>(a.blueF() * (1 - shareOfB) + b.blueF() * shareOfB));
}

}  // namespace

QIcon mediaIcon(MediaGlyph glyph, int size, const QPalette& palette, qreal ratio) {
    const QColor normal = palette.color(QPalette::Active, QPalette::WindowText);
    QColor disabled = palette.color(QPalette::Disabled, QPalette::WindowText);
    if (disabled == normal) {  // some themes do not dim disabled text
        disabled = mixed(normal, palette.color(QPalette::Active, QPalette::Window), 0.65);
    }
    const QPixmap shown = drawn(glyph, size, ratio, normal);
    QIcon icon;
    icon.addPixmap(shown, QIcon::Normal);
    icon.addPixmap(shown, QIcon::Active);
    icon.addPixmap(drawn(glyph, size, ratio, disabled), QIcon::Disabled);
    return icon;
}

}  // namespace nwmp::engine
