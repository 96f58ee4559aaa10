// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/proxy_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/common/dialog_buttons.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
using freedb::FreeDbSettings;

ProxySettingsDialog::ProxySettingsDialog(FreeDbSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      address_(new QLineEdit(qs(settings.proxyServer), this)),
      port_(new QLineEdit(qs(settings.proxyPort), this)),
      authentication_(new QCheckBox(text(ids::kProxyAuthentication), this)),
      askPassword_(new QRadioButton(text(ids::kProxyAskPassword), this)),
      useInfo_(new QRadioButton(text(ids::kProxyUseAuthInfo), this)),
      user_(new QLineEdit(qs(settings.proxyUser), this)),
      password_(new QLineEdit(qs(settings.proxyPassword), this)) {
    setWindowTitle(text(ids::kProxySettingsCaption));
    address_->setObjectName(QStringLiteral("proxyAddress"));
    port_->setObjectName(QStringLiteral("proxyPort"));
    authentication_->setObjectName(QStringLiteral("proxyAuthentication"));
    askPassword_->setObjectName(QStringLiteral("askPassword"));
    useInfo_->setObjectName(QStringLiteral("useAuthInfo"));
    user_->setObjectName(QStringLiteral("proxyUser"));
    password_->setObjectName(QStringLiteral("proxyPassword"));
    password_->setEchoMode(QLineEdit::Password);
    authentication_->setChecked(settings.useProxyAuth());
    (settings.askProxyPassword() ? askPassword_ : useInfo_)->setChecked(true);

    auto* form = new QFormLayout(this);
    form->addRow(text(ids::kProxyAddress), address_);
    form->addRow(text(ids::kProxyPort), port_);
    form->addRow(authentication_);
    form->addRow(askPassword_);
    form->addRow(useInfo_);
    form->addRow(text(ids::kProxyUsername), user_);
    form->addRow(text(ids::kProxyPassword), password_);
    form->addRow(addOkCancel(*this).box);
    connect(authentication_, &QCheckBox::toggled, this, &ProxySettingsDialog::showStates);
    connect(useInfo_, &QRadioButton::toggled, this, &ProxySettingsDialog::showStates);
    showStates();
}

void ProxySettingsDialog::showStates() {
    const bool authenticate = authentication_->isChecked();
    askPassword_->setEnabled(authenticate);
    useInfo_->setEnabled(authenticate);
    user_->setEnabled(authenticate);
    password_->setEnabled(authenticate && useInfo_->isChecked());
}

void ProxySettingsDialog::accept() {
    settings_.proxyServer = utf8(address_->text().trimmed());
    settings_.proxyPort = utf8(port_->text().trimmed());
    settings_.proxyUser = utf8(user_->text());
    settings_.proxyPassword = utf8(password_->text());
    settings_.setOption(FreeDbSettings::kOptionProxyAuth, authentication_->isChecked());
    settings_.setOption(FreeDbSettings::kOptionAskProxyPassword, askPassword_->isChecked());
    QDialog::accept();
}

}  // namespace tw::gui
