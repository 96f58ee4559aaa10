// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/overwrite_dialog.h"

#include <QPushButton>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/product.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

OverwriteDialog::OverwriteDialog(const QString& text, QWidget* parent)
    : QMessageBox(QMessageBox::Question, productName(), text, QMessageBox::NoButton, parent) {
    const std::pair<int, Choice> buttons[] = {
        {ids::kOverwriteButton, Choice::Overwrite},
        {ids::kOverwriteAllButton, Choice::OverwriteAll},
        {ids::kOverwriteRenameButton, Choice::Rename},
        {ids::kOverwriteSkipButton, Choice::Skip},
        {ids::kOverwriteSkipAllButton, Choice::SkipAll},
    };
    for (const auto& [id, choice] : buttons)
        choices_.emplace_back(addButton(gui::text(id), QMessageBox::AcceptRole), choice);
    base::CommonButtonString cancel;
    setEscapeButton(addButton(qs(cancel.Load(ids::kButtonCancel)), QMessageBox::RejectRole));
}

OverwriteDialog::Choice OverwriteDialog::choice() const {
    for (const auto& [button, choice] : choices_)
        if (clickedButton() == button)
            return choice;
    return Choice::Cancel;
}

}  // namespace tw::gui
