// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/file_list.h"

namespace tw::core {

// When the list commands are enabled, and where the focus goes after a selection command.
// Pure functions of the list, so every window and the tests share one answer.

// Check All: the list is not empty and not every file is selected.
bool canSelectAll(const FileList& list);
// Uncheck All: the list is not empty and more than one file is selected.
bool canUncheckAll(const FileList& list);
// Invert All: the list holds at least two files.
bool canInvertSelection(const FileList& list);
// Remove from the list, Delete from disk, Set Numbering: the list is not empty.
bool canRemoveFiles(const FileList& list);
bool canSetNumbering(const FileList& list);
// Remove Numbering: some selected file has an ID3v1 track number.
bool canRemoveNumbering(const FileList& list);
// Fill and Clear commands: at least one file is selected.
bool canEditSelected(const FileList& list);
// Save Changes: some file is dirty.
bool canSave(const FileList& list);

// The row that keeps the focus after Check All, Uncheck All or Invert All: the focused row
// when it is selected, else the nearest selected row after it, else the nearest before it;
// -1 when nothing is selected.
int focusAfterSelectionChange(const FileList& list, int focusedRow);

}  // namespace tw::core
