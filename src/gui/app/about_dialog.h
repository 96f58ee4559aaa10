// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

namespace tw::gui {

// "About Tunewright": the product name and version, who translated the active language,
// and the links to the product's web page and support address. Owns its widgets.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The lines the dialog shows, in order (for tests and accessibility).
    QStringList lines() const;

private:
    QStringList lines_;
};

}  // namespace tw::gui
