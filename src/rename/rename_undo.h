// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/undo_record.h"
#include "core/undo_save.h"

namespace tw::rename {

// One file a rename batch moved, by its paths (absolute or relative to the current folder).
struct DoneMove {
    std::string from;
    std::string to;
};

// Keeps what undoing a batch's moves takes (core/kept_undo.h): each file by its device and
// inode, which must still be found under its new name. Replaces the undo of the last
// save or rename; a batch that moved nothing leaves it as it is.
void keepRenameUndo(const std::vector<DoneMove>& moves);

// Gives every file of a kept rename batch its old name back where it is still the file the
// batch moved (by device and inode) under the name it gave; never replaces a file: where
// another took an old name since, the file stays where it is and is named. Names swapped
// or moved round a cycle go back the same way, through a name aside (renameOrder).
// `dryRun`: nothing moves, the outcome says what would.
core::UndoOutcome undoRenames(const std::vector<core::UndoRecord>& records, bool dryRun);

}  // namespace tw::rename
