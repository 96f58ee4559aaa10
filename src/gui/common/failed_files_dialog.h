// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <string>
#include <vector>

namespace tw::gui {

// "Errors on file(s) modification": the files a command could not change, numbered, under
// a line that says what went wrong and, for files of one folder, a read-only field with that
// folder; with an OK button. Owns its widgets.
class FailedFilesDialog : public QDialog {
    Q_OBJECT
public:
    // `folder`: empty when the files need none.
    FailedFilesDialog(const QString& title, const QString& text, const QString& folder,
                      const std::vector<std::string>& names, QWidget* parent = nullptr);
};

}  // namespace tw::gui
