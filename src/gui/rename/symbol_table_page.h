// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>
#include <string>
#include <string_view>

#include "rename/symbol_table.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base

namespace tw::gui {

// The "Symbol Replacement" page: the pairs of one symbol table in a list with the columns
// "Before" and "After" (every space shown as "[space]"), "Add New" and a double click open
// the pair dialog, "Delete" takes the selected pair out. The table is read by load() and
// written only by apply(), so the page's owner decides when it is stored (the mask editor
// and the export sheet on their OK).
//
// Borrows the port (for the pair dialog's message); owns its widgets.
class SymbolTablePage : public QWidget {
    Q_OBJECT
public:
    explicit SymbolTablePage(base::UserPort& port, QWidget* parent = nullptr);

    // Shows the table stored under `key` (the defaults when none is), which apply() writes.
    void load(const base::SettingsStore& store, std::string_view key);
    void apply(base::SettingsStore& store) const;
    // The thirteen default pairs.
    void restoreDefaults();

    // The pairs as the page shows them.
    rename::SymbolTable table() const;

    // "Add New": the pair dialog for a new pair, added at the end when the user says OK.
    void addPair();
    // A double click: the pair dialog on the pair of `item`.
    void editPair(QTreeWidgetItem* item);
    // "Delete": the selected pair goes.
    void deleteSelected();

private:
    void show(const rename::SymbolTable& table);
    void setRow(QTreeWidgetItem& item, const rename::SymbolPair& pair);
    rename::SymbolPair pairOf(const QTreeWidgetItem& item) const;

    base::UserPort& port_;
    std::string key_;
    QTreeWidget* pairs_;
    QPushButton* delete_;
};

}  // namespace tw::gui
