// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/last_change_undo.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "rename/rename_undo.h"

namespace tw::rename {

LastChangeUndo undoLastChange(bool dryRun) {
    core::KeptUndo kept = core::readKeptUndo();
    LastChangeUndo undo{.batch = kept.batch, .damaged = kept.damaged, .outcome = {}};
    if (kept.damaged)
        return undo;
    undo.outcome = kept.batch == core::KeptBatch::Rename ? undoRenames(kept.records, dryRun)
                                                         : core::undoSave(kept.records, dryRun);
    if (!dryRun)
        core::forgetKeptUndo();
    return undo;
}

base::Message whyNothingToUndo() {
    return core::keptBatch() == core::KeptBatch::None ? base::Message(base::ids::kUndoNothing)
                                                      : base::Message();
}

}  // namespace tw::rename
