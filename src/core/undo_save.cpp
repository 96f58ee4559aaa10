// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/undo_save.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/unique_fd.h"
#include "core/kept_undo.h"
#include "core/undo_rollback.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

[[nodiscard]] std::optional<base::Message> undoOne(const UndoRecord& record, bool dryRun) {
    switch (record.kind) {
        case UndoRecord::Kind::InPlace:
            break;
        case UndoRecord::Kind::Rewritten:
            return base::Message(ids::kUndoRewritten);
        case UndoRecord::Kind::Dropped:
            return base::Message(ids::kUndoDropped, static_cast<int>(kMostKeptUndo >> 20));
        default:
            return base::Message(ids::kUndoNotSaved);
    }
    const base::UniqueFd file(
        ::open(record.path.c_str(), (dryRun ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return base::Message(ids::kSaveCannotRead, std::strerror(errno));
    if (auto changed = changedSinceSave(file.get(), record))
        return changed;
    if (dryRun)
        return std::nullopt;
    if (const base::Outcome putBack = putBackOldBytes(file.get(), record); !putBack)
        return base::Message(ids::kSaveCannotWrite, putBack.failure().why);
    return std::nullopt;
}

}  // namespace

UndoOutcome undoSave(const std::vector<UndoRecord>& records, bool dryRun) {
    UndoOutcome outcome;
    for (const UndoRecord& record : records) {
        if (auto why = undoOne(record, dryRun))
            outcome.left.push_back({record.path, std::move(*why)});
        else
            outcome.putBack.push_back(record.path);
    }
    return outcome;
}

}  // namespace tw::core
