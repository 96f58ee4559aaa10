// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_rules.h"

#include <algorithm>

namespace tw::core {

bool canSelectAll(const FileList& list) {
    return !list.empty() && list.selectedCount() < list.size();
}

bool canUncheckAll(const FileList& list) {
    return !list.empty() && list.selectedCount() > 1;
}

bool canInvertSelection(const FileList& list) {
    return list.size() >= 2;
}

bool canRemoveFiles(const FileList& list) {
    return !list.empty();
}

bool canSetNumbering(const FileList& list) {
    return !list.empty();
}

bool canRemoveNumbering(const FileList& list) {
    for (int index : list.selectedIndices())
        if (list.at(index).id3v1.track != 0)
            return true;
    return false;
}

bool canEditSelected(const FileList& list) {
    return list.selectedCount() > 0;
}

bool canSave(const FileList& list) {
    return list.anyDirty();
}

int focusAfterSelectionChange(const FileList& list, int focusedRow) {
    if (focusedRow >= 0 && focusedRow < list.size() && list.at(focusedRow).selected)
        return focusedRow;
    for (int row = std::max(focusedRow + 1, 0); row < list.size(); ++row)
        if (list.at(row).selected)
            return row;
    for (int row = std::min(focusedRow, list.size()) - 1; row >= 0; --row)
        if (list.at(row).selected)
            return row;
    return -1;
}

}  // namespace tw::core
