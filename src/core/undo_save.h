// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/file_failure.h"
#include "core/undo_record.h"

namespace tw::core {

// What undoing the last save or rename batch did, or would do when it is only tried.
struct UndoOutcome {
    std::vector<std::string> putBack;  // paths (for names: the name each file has again)
    std::vector<FileFailure> left;     // fileName: the path; left as it is, and why
};

// Puts back the old bytes of every file the kept save (kept_undo.h) wrote in place, with
// the roll-back's own care: only into a file that still holds exactly what the save left
// there (changedSinceSave), flushed. A file changed since by anyone, replaced by a new file
// when it was saved, or whose old bytes were dropped to keep within the bound is left as it
// is and named. `dryRun`: nothing is written, the outcome says what would be.
UndoOutcome undoSave(const std::vector<UndoRecord>& records, bool dryRun);

}  // namespace tw::core
