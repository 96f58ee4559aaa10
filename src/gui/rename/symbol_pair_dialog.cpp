// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/symbol_pair_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "gui/common/dialog_buttons.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

SymbolPairDialog::SymbolPairDialog(base::UserPort& port,
                                   const std::optional<rename::SymbolPair>& pair, QWidget* parent)
    : QDialog(parent), port_(port), before_(new QLineEdit(this)), after_(new QLineEdit(this)) {
    setWindowTitle(text(pair ? ids::kSymbolPairEditCaption : ids::kSymbolPairCreateCaption));
    before_->setObjectName(QStringLiteral("before"));
    after_->setObjectName(QStringLiteral("after"));
    before_->setMaxLength(kMaxLength);
    after_->setMaxLength(kMaxLength);
    if (pair) {
        before_->setText(qs(rename::toDisplayForm(pair->search)));
        after_->setText(qs(rename::toDisplayForm(pair->replacement)));
    }

    const DialogButtons buttons = addOkCancel(*this);
    ok_ = buttons.ok;
    auto* form = new QFormLayout(this);
    form->addRow(text(ids::kSymbolPairBefore), before_);
    form->addRow(text(ids::kSymbolPairAfter), after_);
    form->addRow(buttons.box);

    auto followBefore = [this] { ok_->setEnabled(!before_->text().isEmpty()); };
    followBefore();
    connect(before_, &QLineEdit::textChanged, this, followBefore);
}

rename::SymbolPair SymbolPairDialog::pair() const {
    return {rename::fromDisplayForm(utf8(before_->text())),
            rename::fromDisplayForm(utf8(after_->text()))};
}

void SymbolPairDialog::accept() {
    if (before_->text().isEmpty()) {
        port_.showMessage(base::UserPort::Severity::Information,
                          base::tr(ids::kSymbolPairFillBoth));
        before_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace tw::gui
