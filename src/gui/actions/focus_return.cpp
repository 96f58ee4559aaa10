// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/actions/focus_return.h"

#include <QApplication>

namespace tw::gui {

namespace {

bool canTakeFocus(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus;
}

}  // namespace

FocusReturn::FocusReturn(QWidget& window, QWidget* fallback)
    : window_(&window), fallback_(fallback), focus_(window.focusWidget()) {}

FocusReturn::~FocusReturn() {
    QWidget* window = window_.data();
    if (!window || !window->isVisible() || window->isMinimized())
        return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active != window && active->isVisible())
        return;
    QWidget* target = window->focusWidget();
    if (!canTakeFocus(target))
        target = canTakeFocus(focus_.data()) ? focus_.data() : fallback_.data();
    if (active != window)
        window->activateWindow();
    if (target && window->isAncestorOf(target))
        target->setFocus(Qt::OtherFocusReason);
}

}  // namespace tw::gui
