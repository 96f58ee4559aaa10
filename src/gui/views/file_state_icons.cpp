// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/file_state_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tw::gui {

namespace {

constexpr int kSize = 18;

enum class State { Clean, Dirty, Unreadable };

// A note on a sheet of paper; a dirty file's sheet carries a red pencil mark, the sheet of
// a file that could not be read a red cross.
QIcon drawIcon(State state) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(QColor(110, 110, 110), 1));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRect(QRectF(3.5, 1.5, 11, 15));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 70, 140));
    painter.drawEllipse(QRectF(5, 10, 4, 3.5));
    painter.fillRect(QRectF(8, 4, 1.2, 7.5), QColor(40, 70, 140));
    painter.fillRect(QRectF(8, 4, 3.5, 1.2), QColor(40, 70, 140));

    if (state == State::Unreadable) {
        painter.setPen(QPen(QColor(200, 30, 30), 2.2));
        painter.drawLine(QLineF(9, 9, 17, 17));
        painter.drawLine(QLineF(17, 9, 9, 17));
    }
    if (state == State::Dirty) {
        QPainterPath pencil;
        pencil.moveTo(9, 17);
        pencil.lineTo(10, 13.5);
        pencil.lineTo(16.5, 7);
        pencil.lineTo(18, 8.5);
        pencil.lineTo(11.5, 15);
        pencil.closeSubpath();
        painter.setBrush(QColor(200, 30, 30));
        painter.drawPath(pencil);
    }
    return QIcon(pixmap);
}

}  // namespace

FileStateIcons::FileStateIcons()
    : clean_(drawIcon(State::Clean)),
      dirty_(drawIcon(State::Dirty)),
      unreadable_(drawIcon(State::Unreadable)) {}

}  // namespace tw::gui
