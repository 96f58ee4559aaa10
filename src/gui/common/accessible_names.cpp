// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/accessible_names.h"

#include <QLabel>
#include <QTabWidget>

#include "gui/qt_text.h"

namespace tw::gui {

QString spokenText(const QString& label) {
    QString spoken;
    spoken.reserve(label.size());
    for (qsizetype i = 0; i < label.size(); ++i) {
        // "&&" shows one "&"; a single "&" only underlines the next letter.
        if (label[i] == QLatin1Char('&') && ++i == label.size())
            break;
        spoken += label[i];
    }
    return spoken;
}

void nameControl(QWidget& control, int textId) {
    control.setAccessibleName(spokenText(text(textId)));
}

void nameAfterLabel(QWidget& control, const QLabel& label) {
    control.setAccessibleName(spokenText(label.text()));
}

void addNamedTab(QTabWidget& tabs, QWidget& page, int textId) {
    nameControl(page, textId);
    tabs.addTab(&page, text(textId));
}

}  // namespace tw::gui
