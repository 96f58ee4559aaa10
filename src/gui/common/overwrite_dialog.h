// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMessageBox>
#include <utility>
#include <vector>

#include "base/user_port.h"

namespace tw::gui {

// The question before an existing file is replaced: the text names the file, the buttons
// are "&Overwrite", "Overwrite &All", "&Rename...", "&Skip", "Ski&p All" and "&Cancel".
// Escape and the window's close button answer Cancel.
//
// Owns its buttons (children of the box).
class OverwriteDialog : public QMessageBox {
    Q_OBJECT
public:
    using Choice = base::UserPort::OverwriteChoice;

    OverwriteDialog(const QString& text, QWidget* parent = nullptr);

    // The button the user took, after exec(); Cancel when none.
    Choice choice() const;

private:
    std::vector<std::pair<QAbstractButton*, Choice>> choices_;
};

}  // namespace tw::gui
