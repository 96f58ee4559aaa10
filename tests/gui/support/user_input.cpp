// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/user_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "gui/rename/mask_selector.h"
#include "gui/views/file_list_view.h"
#include "gui/views/suggestion_field.h"
#include "gui/views/tag_tabs_view.h"

namespace tw::test {

void clickRow(gui::FileListView& list, int row, Qt::KeyboardModifiers modifiers) {
    const QRect cell = list.visualRect(list.model()->index(row, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, cell.center());
}

void clickOnBox(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

void wheelOver(QWidget& widget) {
    const QPointF centre = QRectF(widget.rect()).center();
    QWheelEvent wheel(centre, widget.mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

void retype(QLineEdit& field, const QString& text) {
    field.selectAll();
    field.del();
    QTest::keyClicks(&field, text);
}

void typeMask(gui::MaskSelector& masks, const QString& text) {
    QLineEdit& field = *masks.field().lineEdit();
    field.selectAll();
    QTest::keyClicks(&field, text);
}

QLineEdit& tagEditor(gui::TagTabsView& tabs, const char* name) {
    auto* field = tabs.findChild<gui::SuggestionField*>(QString::fromLatin1(name));
    if (!field)
        qFatal("no field %s", name);
    return *field->comboBox().lineEdit();
}

}  // namespace tw::test
