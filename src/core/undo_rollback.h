// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "core/file_failure.h"
#include "core/undo_record.h"

namespace tw::base {
class UserPort;
}

namespace tw::core {

// What a roll-back did: the files whose old bytes it put back, the files it left as they
// are because they are no longer what the save left (with why), and the journals that
// could not be read whole, kept aside for the user.
struct RollBackOutcome {
    std::vector<std::string> restored;           // paths (where the file was found)
    std::vector<std::string> whole;              // paths of files the save completed
    std::vector<FileFailure> left;               // fileName: the path
    std::vector<std::string> keptJournals;       // paths
    std::vector<UndoRecord> unapplied;           // rollBack only: the records of the files left
    std::vector<std::string> unappliedJournals;  // where rollBackJournals keeps them
    std::vector<std::string> forgotten;          // paths whose kept records the user dropped

    bool operator==(const RollBackOutcome&) const = default;
};

// Undoes what the records of one journal name, the last record first:
//   - a file written in place is looked for at its path, else by its device and inode among
//     the files of its path's folder, then anywhere under the folders `elsewhere` (where the
//     user says it went); it is put back only when it is still the file the save opened
//     (device and inode), of its old, grown or new size, and every block of every region
//     holds exactly its old bytes or its new ones; then all its regions get their old
//     bytes, it gets its old size (the bytes inserted at its start taken out again) and is
//     flushed. Anything else means that someone changed the file since: it is left as it
//     is and reported, but for blocks inserted at its start that still hold zeros before
//     its old start (a kill came before the tag went in): those are taken out again, as
//     they hide its tags from every reader. A file that holds all of its new bytes at its
//     new size is whole as it is and stays: the save reached its end for it;
//   - the hidden name of a new file that never replaced its original is removed.
// Nothing is ever written from a record that is not whole (see readUndoRecords).
RollBackOutcome rollBack(const std::vector<UndoRecord>& records,
                         const std::vector<std::filesystem::path>& elsewhere = {});

// Why the open file `fd` no longer holds exactly what the completed save of `record` left in
// it: another file (device and inode), another size, or a block of a region that is not its
// new bytes. Nothing when it holds them all, so that its old bytes may go back.
[[nodiscard]] std::optional<base::Message> changedSinceSave(int fd, const UndoRecord& record);

// Puts the old bytes of one in-place save back into its open file `fd` without weighing what
// the file holds now: for the save itself, which knows that only its own bytes went in. (A
// write cut short by a full disk can leave a block part new and part old, which the roll-back
// of a journal would take for someone else's change.) What lies in blocks inserted at the
// file's start is not written back, as those blocks go out again; on a full disk, writing
// into them could fail for want of space. A failure names the record's path.
base::Outcome putBackOldBytes(int fd, const UndoRecord& record);

// Rolls back every journal in `folder` that no running process holds, then removes it.
// A journal that cannot be read whole (undo_record.h) may name files left half-written that
// nothing here can mend: what it holds whole is rolled back, and it is kept aside under
// kKeptJournalSuffix, never deleted, and named in keptJournals by every roll-back until the
// user removes it.
// The records of files left as they are go into a file of their own beside it
// (kUnappliedSuffix), tried again by every roll-back and named in unappliedJournals until
// they apply or the user removes it.
inline constexpr std::string_view kKeptJournalSuffix = ".damaged";
inline constexpr std::string_view kUnappliedSuffix = ".unapplied";
// What the user adds when they deal with kept records: the folders their files may have
// moved to, and whether the records that still cannot be applied are dropped (the user
// checked those files), named in `forgotten`.
struct Recovery {
    std::vector<std::filesystem::path> elsewhere;
    bool forgetLeft = false;
};
RollBackOutcome rollBackJournals(const std::filesystem::path& folder,
                                 const Recovery& recovery = {});

// What every start of the program and of each command runs before it touches a file: the
// journals of the user's state folder rolled back, and the user told through `port` what
// was put back and what was left. Silent when there was nothing to do.
RollBackOutcome rollBackInterruptedSaves(base::UserPort& port);

}  // namespace tw::core
