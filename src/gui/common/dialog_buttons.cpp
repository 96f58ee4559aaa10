// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/dialog_buttons.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

QString commonButtonText(int id) {
    base::CommonButtonString common;
    return qs(common.Load(id));
}

DialogButtons addOkCancel(QDialog& dialog, int okTextId) {
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(
        okTextId ? text(okTextId) : commonButtonText(ids::kButtonOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(commonButtonText(ids::kButtonCancel), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return {buttons, ok};
}

QGroupBox* addRadioChoices(QButtonGroup& choices, int titleId, std::span<const int> labelIds,
                           const QString& namePrefix, QWidget* parent) {
    auto* group = new QGroupBox(text(titleId), parent);
    auto* column = new QVBoxLayout(group);
    int id = 0;
    for (int label : labelIds) {
        auto* button = new QRadioButton(text(label), group);
        button->setObjectName(namePrefix + QString::number(id));
        choices.addButton(button, id++);
        column->addWidget(button);
    }
    column->addStretch();
    return group;
}

}  // namespace tw::gui
