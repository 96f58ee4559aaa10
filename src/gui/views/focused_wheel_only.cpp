// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/focused_wheel_only.h"

#include <QEvent>
#include <QWidget>

namespace tw::gui {

namespace {

class FocusedWheelOnly : public QObject {
public:
    explicit FocusedWheelOnly(QWidget& widget) : QObject(&widget) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->hasFocus())
            return false;
        // Left unhandled, the event travels on to the parent, which scrolls.
        event->ignore();
        return true;
    }
};

}  // namespace

void takeWheelOnlyWhenFocused(QWidget& widget) {
    // The default WheelFocus would hand the focus over to the wheel itself.
    widget.setFocusPolicy(Qt::StrongFocus);
    widget.installEventFilter(new FocusedWheelOnly(widget));
}

}  // namespace tw::gui
