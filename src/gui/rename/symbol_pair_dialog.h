// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "rename/symbol_table.h"

class QLineEdit;
class QPushButton;

namespace tw::base {
class UserPort;
}

namespace tw::gui {

// One pair of a symbol table, made ("Create") or changed ("Edit"): "Before:" and "After:",
// each at most 50 characters, shown and typed in the display form, where "[space]" stands
// for a space. OK is enabled only while "Before:" holds something; an OK that comes anyway
// is answered with "You need to fill both fields" and the window stays.
//
// The mask editor's symbol page and the export sheet's symbol page open it. Borrows the
// port for its message; owns its widgets.
class SymbolPairDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 50;

    // `pair`: the pair to edit; none to create one.
    SymbolPairDialog(base::UserPort& port, const std::optional<rename::SymbolPair>& pair,
                     QWidget* parent = nullptr);

    // The pair as typed, the display form turned back into spaces.
    rename::SymbolPair pair() const;

    void accept() override;

private:
    base::UserPort& port_;
    QLineEdit* before_;
    QLineEdit* after_;
    QPushButton* ok_;
};

}  // namespace tw::gui
