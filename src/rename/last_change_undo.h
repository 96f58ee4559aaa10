// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "base/message.h"
#include "core/kept_undo.h"
#include "core/undo_save.h"

namespace tw::rename {

// Undoing whichever came last: the last save (core::undoSave) or the last rename batch
// (undoRenames), as kept (core/kept_undo.h). One entry point for both, since the kept undo
// of one batch replaces the other's: only the last of them can be undone.
struct LastChangeUndo {
    core::KeptBatch batch = core::KeptBatch::None;
    // The kept undo could not be read whole: nothing was undone.
    bool damaged = false;
    core::UndoOutcome outcome;
};

// What undoing would do (`dryRun`), or did; a real undo forgets the kept undo, which cannot
// be undone twice.
LastChangeUndo undoLastChange(bool dryRun);

// Why nothing can be undone now; empty when something can.
base::Message whyNothingToUndo();

}  // namespace tw::rename
