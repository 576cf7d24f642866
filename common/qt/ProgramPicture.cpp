#include "common/qt/ProgramPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace morvane {

QPixmap programPicture(int sizePixels)
{
    QPixmap pixmap(sizePixels, sizePixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100 x 100 grid.
    p.scale(sizePixels / 100.0, sizePixels / 100.0);

    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0.0, QColor(0x2b, 0x5f, 0x9e));
    sky.setColorAt(1.0, QColor(0x12, 0x2f, 0x57));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 12, 12);

    // Pipe walls.
    p.setBrush(QColor(0xd9, 0xe2, 0xec));
    p.drawRect(QRectF(8, 30, 84, 6));
    p.drawRect(QRectF(8, 64, 84, 6));

    // Flow lines narrowing through the bore and widening behind it.
    QPen flow(QColor(0x9f, 0xd3, 0xff), 2.2);
    flow.setCapStyle(Qt::RoundCap);
    p.setPen(flow);
    p.setBrush(Qt::NoBrush);
    for (const double y : {42.0, 50.0, 58.0}) {
        QPainterPath path(QPointF(12, y));
        const double squeezed = 50 + (y - 50) * 0.45;
        path.cubicTo(QPointF(34, y), QPointF(40, squeezed), QPointF(50, squeezed));
        path.cubicTo(QPointF(62, squeezed), QPointF(70, y), QPointF(88, y));
        p.drawPath(path);
    }

    // The orifice plate with its bore.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xb7, 0x31));
    p.drawRect(QRectF(47, 36, 5, 10));
    p.drawRect(QRectF(47, 54, 5, 10));

    // Pressure tappings before and after the plate.
    p.setBrush(QColor(0xd9, 0xe2, 0xec));
    p.drawRect(QRectF(36, 18, 3, 12));
    p.drawRect(QRectF(60, 18, 3, 12));
    p.drawRect(QRectF(36, 16, 27, 3));
    p.end();
    return pixmap;
}

}  // namespace morvane
