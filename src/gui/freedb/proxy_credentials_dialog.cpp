// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/proxy_credentials_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "base/string_ids.h"
#include "gui/common/dialog_buttons.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

ProxyCredentialsDialog::ProxyCredentialsDialog(const QString& user, const QString& password,
                                               QWidget* parent)
    : QDialog(parent), user_(new QLineEdit(user, this)), password_(new QLineEdit(password, this)) {
    setWindowTitle(text(ids::kProxyCredentialsCaption));
    user_->setObjectName(QStringLiteral("proxyUser"));
    password_->setObjectName(QStringLiteral("proxyPassword"));
    password_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout(this);
    form->addRow(text(ids::kProxyUsername), user_);
    form->addRow(text(ids::kProxyPassword), password_);
    form->addRow(addOkCancel(*this).box);
}

QString ProxyCredentialsDialog::user() const {
    return user_->text();
}

QString ProxyCredentialsDialog::password() const {
    return password_->text();
}

}  // namespace tw::gui
