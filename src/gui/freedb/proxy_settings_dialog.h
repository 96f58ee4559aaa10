// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "freedb/freedb_settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tw::gui {

// "FreeDB proxy server settings": the proxy's address and port, whether it wants
// authentication, and whether the password is asked before connecting or the user name and
// password given here are used. OK takes the fields into the settings the dialog was given.
//
// Borrows the settings until it closes; owns its widgets.
class ProxySettingsDialog : public QDialog {
    Q_OBJECT
public:
    ProxySettingsDialog(freedb::FreeDbSettings& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    void showStates();

    freedb::FreeDbSettings& settings_;
    QLineEdit* address_;
    QLineEdit* port_;
    QCheckBox* authentication_;
    QRadioButton* askPassword_;
    QRadioButton* useInfo_;
    QLineEdit* user_;
    QLineEdit* password_;
};

}  // namespace tw::gui
