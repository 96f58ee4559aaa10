// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QGroupBox>
#include <string>

class QLineEdit;
class QToolButton;

namespace tw::gui {

class ShellPort;

// "Filename and Folder:" of the export sheet's first page: the folder, shown read-only and
// changed only through the folder picker beside it, and the file name, which starts as
// "Export" and takes no "/" (a name, not a path). The export may go ahead only while the
// name holds more than white space (isComplete).
//
// Borrows the shell port (the folder picker); owns its widgets.
class ExportTarget : public QGroupBox {
    Q_OBJECT
public:
    explicit ExportTarget(ShellPort& shell, QWidget* parent = nullptr);

    // Shows `folder` and the default file name.
    void load(const std::string& folder);

    std::string folder() const { return folder_; }
    std::string fileName() const;
    bool isComplete() const;

    // The folder button: the folder picker, starting at the folder shown.
    void pickFolder();

Q_SIGNALS:
    void completeChanged(bool complete);

private:
    ShellPort& shell_;
    std::string folder_;
    QLineEdit* folderField_;
    QToolButton* folderButton_;
    QLineEdit* name_;
};

}  // namespace tw::gui
