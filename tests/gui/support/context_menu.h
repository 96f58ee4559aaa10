// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace tw::test {

// Answers the popup menu that opens next, as the mouse would: follows `path` (entry texts
// without "&"), clicking each entry so its sub-menu opens, and clicks the last one. The
// returned flag turns true once that entry was clicked; when an entry is missing or
// disabled, every open popup is closed instead.
std::shared_ptr<bool> ChooseFromNextPopup(const std::vector<std::string>& path);

// Right-clicks the item in its top-level window and clicks the menu entry whose text
// (without "&") is `label`. False when the menu did not show or had no such enabled entry.
bool ChooseFromContextMenu(QTreeWidget& tree, QTreeWidgetItem* item, const QString& label);

}  // namespace tw::test
