// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/list_choice_only.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>

namespace tw::gui {

namespace {

bool stepsTheEntry(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

class ListChoiceOnly : public QObject {
public:
    explicit ListChoiceOnly(QComboBox& combo) : QObject(&combo), combo_(combo) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            // Left unhandled, the event travels on to the parent, which scrolls.
            event->ignore();
            return true;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Alt+Down opens the list by the box's own rule; in an editable box Home and End go
        // on to the text.
        if (!stepsTheEntry(key->key()) || (key->modifiers() & Qt::AltModifier) ||
            (combo_.isEditable() && (key->key() == Qt::Key_Home || key->key() == Qt::Key_End)))
            return false;
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
            key->modifiers() == Qt::NoModifier)
            combo_.showPopup();
        return true;
    }

private:
    QComboBox& combo_;
};

}  // namespace

void changeOnlyByListChoice(QComboBox& combo) {
    // The default WheelFocus would hand the focus over to the wheel itself.
    combo.setFocusPolicy(Qt::StrongFocus);
    combo.installEventFilter(new ListChoiceOnly(combo));
}

}  // namespace tw::gui
