// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/product_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tw::gui {

QImage productIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 256-unit square.
    painter.scale(size / 256.0, size / 256.0);

    QLinearGradient tile(0, 16, 0, 240);
    tile.setColorAt(0, QColor(0x3b, 0x82, 0xc4));
    tile.setColorAt(1, QColor(0x1b, 0x45, 0x78));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(16, 16, 224, 224), 48, 48);

    // The tag: a label with a pointed end and a hole, tilted a little.
    painter.translate(128, 128);
    painter.rotate(-18);
    QPainterPath tag;
    tag.moveTo(-84, -52);
    tag.lineTo(40, -52);
    tag.lineTo(92, 0);
    tag.lineTo(40, 52);
    tag.lineTo(-84, 52);
    tag.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(52, 0), 11, 11);
    painter.setBrush(QColor(0xfa, 0xfa, 0xf5));
    painter.drawPath(tag.subtracted(hole));

    // The note on the tag: a head, a stem and a flag.
    const QColor ink(0x1b, 0x45, 0x78);
    painter.setBrush(ink);
    painter.save();
    painter.translate(-40, 24);
    painter.rotate(-22);
    painter.drawEllipse(QPointF(0, 0), 19, 13);
    painter.restore();
    painter.drawRect(QRectF(-26, -40, 9, 62));
    QPainterPath flag;
    flag.moveTo(-17, -40);
    flag.cubicTo(-4, -30, 16, -22, 10, 2);
    flag.cubicTo(8, -12, -4, -18, -17, -20);
    flag.closeSubpath();
    painter.drawPath(flag);
    painter.end();
    return image;
}

QIcon productIcon() {
    QIcon icon;
    for (int size : kProductIconSizes)
        icon.addPixmap(QPixmap::fromImage(productIconImage(size)));
    return icon;
}

}  // namespace tw::gui
