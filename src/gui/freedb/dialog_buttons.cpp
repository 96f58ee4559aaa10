// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

QString commonButtonText(int id) {
    base::CommonButtonString text;
    return qs(text.Load(id));
}

QDialogButtonBox* okCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QDialogButtonBox::Ok)->setText(commonButtonText(ids::kButtonOk));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(commonButtonText(ids::kButtonCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace tw::gui
