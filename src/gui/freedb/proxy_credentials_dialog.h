// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace tw::gui {

// "Proxy Server Authentication": the user name and password for the proxy, asked when the
// settings want them asked before connecting or when the proxy refuses the stored ones.
//
// Owns its widgets.
class ProxyCredentialsDialog : public QDialog {
    Q_OBJECT
public:
    ProxyCredentialsDialog(const QString& user, const QString& password, QWidget* parent = nullptr);

    QString user() const;
    QString password() const;

private:
    QLineEdit* user_;
    QLineEdit* password_;
};

}  // namespace tw::gui
