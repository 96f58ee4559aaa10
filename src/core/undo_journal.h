// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "base/result.h"
#include "base/unique_fd.h"

namespace tw::core {

// The undo journal of this process's saves (records: undo_record.h).
//
// One file per process in the user's state folder, "undo-<random>.journal", made by the
// first save that needs it and held with an exclusive lock (flock) while the process runs,
// so that the roll-back at another program's start leaves it alone while these saves go
// on. However the process ends, the lock goes with it; a journal left holding records is
// then rolled back by the next start (undo_rollback.h). The file is removed when its
// object goes empty.
//
// Owns the file's descriptor. One thread.
class UndoJournal {
public:
    explicit UndoJournal(std::filesystem::path folder);
    ~UndoJournal();
    UndoJournal(const UndoJournal&) = delete;
    UndoJournal& operator=(const UndoJournal&) = delete;

    // Appends records (appendUndoRecord's bytes), making the file on first use. A failure
    // names the file, or the folder while there is none.
    base::Outcome append(std::span<const std::uint8_t> records);
    // Flushes what was appended to the disk.
    base::Outcome flush();
    // Empties it: the saves it covered are complete and flushed. Not flushed itself: should
    // the records come back after a power cut, they name files that hold all their new
    // bytes, which the roll-back leaves as they are.
    base::Outcome clear();

    const std::filesystem::path& folder() const { return folder_; }
    // The file; empty until the first append.
    const std::filesystem::path& file() const { return file_; }

    // Lets go of the descriptor without touching the file: a forked child's copy of its
    // parent's journal, which stays the parent's.
    void abandon();

private:
    base::Outcome open();

    std::filesystem::path folder_;
    std::filesystem::path file_;
    base::UniqueFd fd_;
    std::uint64_t length_ = 0;
};

// The journal of this process in the user's state folder (base::appPaths()): a new one
// when that folder changed since (tests) or in a forked child.
UndoJournal& processUndoJournal();

// Makes the folder and its parents; the folder itself only for this user, as what it keeps
// holds bytes of their files.
base::Outcome makePrivateFolder(const std::filesystem::path& folder);

// Whether a file of the state folder is an undo journal by its name.
bool isUndoJournalName(std::string_view name);

}  // namespace tw::core
