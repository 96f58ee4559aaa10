// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/rename_undo.h"

#include <sys/stat.h>

#include <filesystem>

#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "core/kept_undo.h"
#include "rename/rename_plan.h"

namespace tw::rename {

namespace {

namespace ids = base::ids;

std::string normalPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

bool isTheFile(const core::UndoRecord& record) {
    struct stat st {};
    return ::lstat(record.path.c_str(), &st) == 0 && st.st_dev == record.device &&
           st.st_ino == record.inode;
}

// A name beside `path` that no file has, for a file of a cycle to wait under.
std::string asideName(const std::string& path) {
    return base::folderOf(path) + "/.tunewright-undo-" + base::randomHex(8);
}

std::vector<core::UndoRecord> renameUndoRecords(const std::vector<DoneMove>& moves) {
    std::vector<core::UndoRecord> records;
    for (const DoneMove& move : moves) {
        struct stat st {};
        if (::lstat(move.to.c_str(), &st) != 0)
            continue;  // gone at once: nothing to give back
        core::UndoRecord record;
        record.kind = core::UndoRecord::Kind::Renamed;
        record.path = normalPath(move.to);
        record.formerPath = normalPath(move.from);
        record.device = st.st_dev;
        record.inode = st.st_ino;
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

void keepRenameUndo(const std::vector<DoneMove>& moves) {
    if (moves.empty())
        return;
    // Without it the names stand; "undo" then finds nothing to undo and says so.
    (void)core::KeptUndoWriter(core::KeptBatch::Rename).keep(renameUndoRecords(moves));
}

core::UndoOutcome undoRenames(const std::vector<core::UndoRecord>& records, bool dryRun) {
    core::UndoOutcome outcome;
    std::vector<RenameCheck> plan;
    for (const core::UndoRecord& record : records) {
        if (record.kind != core::UndoRecord::Kind::Renamed)
            continue;
        if (!isTheFile(record)) {
            outcome.left.push_back({record.path, base::Message(ids::kUndoNameGone)});
            continue;
        }
        RenameCheck check;
        check.from = record.path;
        check.to = record.formerPath;
        plan.push_back(std::move(check));
    }
    markTakenNames(plan);

    std::vector<std::string> now(plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i)
        now[i] = plan[i].from;
    for (const RenameStep& step : renameOrder(plan)) {
        const auto i = static_cast<std::size_t>(step.place);
        if (dryRun || !plan[i].moves())
            continue;
        const std::string to = step.toTemporary ? asideName(plan[i].from) : plan[i].to;
        if (const std::error_code ec = base::renameNoReplace(now[i], to)) {
            plan[i].status = RenameStatus::TakenByFile;
            plan[i].reason = ec == std::errc::file_exists ? base::Message(ids::kRenameTakenByFile)
                                                          : base::Message::verbatim(ec.message());
            // A file parked aside goes back to the name the batch gave it.
            if (now[i] != plan[i].from && !base::renameNoReplace(now[i], plan[i].from))
                now[i] = plan[i].from;
            continue;
        }
        now[i] = to;
    }
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (plan[i].moves())
            outcome.putBack.push_back(plan[i].to);
        else
            outcome.left.push_back({now[i], plan[i].reason});
    }
    return outcome;
}

}  // namespace tw::rename
