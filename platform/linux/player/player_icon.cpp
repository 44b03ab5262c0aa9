#include "platform/linux/player/player_icon.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace nwmp::linux_platform {

QIcon playerIcon() {
    constexpr int kSize = 32;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The screen: a dark rounded rectangle with a light rim.
    painter.setPen(QPen(QColor(0x9f, 0xc8, 0xff), 1.5));
    painter.setBrush(QColor(0x10, 0x2a, 0x5c));
    painter.drawRoundedRect(QRectF(2.5, 4.5, 27, 21), 3, 3);
    // The stand.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9f, 0xc8, 0xff));
    painter.drawRect(QRectF(13, 26, 6, 2));
    painter.drawRect(QRectF(9, 28, 14, 2));
    // The play triangle.
    QPainterPath triangle;
    triangle.moveTo(12, 9);
    triangle.lineTo(22, 15);
    triangle.lineTo(12, 21);
    triangle.closeSubpath();
    painter.setBrush(QColor(0xff, 0xb3, 0x1a));
    painter.drawPath(triangle);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace nwmp::linux_platform
