#include "platform/linux/settings_tool/settings_tool_icon.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

namespace nwmp::linux_platform {

namespace {

// A cog: a ring of teeth around a disc with a hole.
QPainterPath cog(QPointF centre, double outer, double inner, int teeth) {
    QPainterPath path;
    const double step = 2.0 * std::numbers::pi / (teeth * 2);
    for (int i = 0; i < teeth * 2; ++i) {
        const double radius = (i % 2 == 0) ? outer : inner;
        const double from = i * step;
        const QPointF a = centre + QPointF(std::cos(from), std::sin(from)) * radius;
        const QPointF b = centre + QPointF(std::cos(from + step), std::sin(from + step)) * radius;
        if (i == 0) {
            path.moveTo(a);
        } else {
            path.lineTo(a);
        }
        path.lineTo(b);
    }
    path.closeSubpath();
    path.addEllipse(centre, inner * 0.4, inner * 0.4);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

}  // namespace

QIcon settingsToolIcon() {
    constexpr int kSize = 32;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The player's screen, in the player icon's colours, behind the cog.
    painter.setPen(QPen(QColor(0x9f, 0xc8, 0xff), 1.5));
    painter.setBrush(QColor(0x10, 0x2a, 0x5c));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 22, 17), 3, 3);
    // A check mark on the screen, for the option boxes.
    painter.setPen(QPen(QColor(0x6d, 0xe0, 0x7a), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath check;
    check.moveTo(6, 11);
    check.lineTo(10, 15);
    check.lineTo(18, 6);
    painter.drawPath(check);
    // The cog in the lower right corner.
    painter.setPen(QPen(QColor(0x5a, 0x3c, 0x00), 1.0));
    painter.setBrush(QColor(0xff, 0xb3, 0x1a));
    painter.drawPath(cog(QPointF(22.5, 22.5), 9.0, 6.5, 8));
    painter.end();
    return QIcon(pixmap);
}

}  // namespace nwmp::linux_platform
