// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>
#include <vector>

class QListWidget;

namespace tw::gui {

// A list whose entries the user puts in order and switches on and off, with the buttons
// "Move up the item", "Move down the item" and "Toggle visiblity of this item" (the
// retrieving order and the album tree's levels).
//
// Owns its widgets.
class OrderedCheckList : public QWidget {
    Q_OBJECT
public:
    struct Entry {
        int key;
        QString label;
        bool checked;
    };

    explicit OrderedCheckList(QWidget* parent = nullptr);

    void setEntries(const std::vector<Entry>& entries);
    // The entries in their order now, with their check marks.
    std::vector<Entry> entries() const;

    QListWidget& list() const { return *list_; }

    void moveCurrent(int by);
    void toggleCurrent();

private:
    QListWidget* list_;
};

}  // namespace tw::gui
