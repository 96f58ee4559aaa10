// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "core/kept_undo.h"
#include "core/save_probe.h"
#include "core/saved_file.h"

namespace tw::core {

class PendingSave;
class TagFileWriter;
class UndoJournal;

// How a batch makes its writes durable before it empties its undo journal.
enum class FlushMode {
    // One syncfs() per file system the batch wrote to: it also waits for every other
    // program's dirty pages there.
    FileSystem,
    // The writeback of every file started at once, then one fdatasync() per file issued
    // from a few threads together, so that the disk takes their cache flushes as one; one
    // fsync() per folder renamed in. Costs the batch's own bytes only.
    EachFile,
    // FileSystem while the machine holds little dirty data besides the batch's own (one
    // syncfs then costs about what the batch wrote, and less than a flush per file), else
    // EachFile: decided per flush from /proc/meminfo, so the cost stays bounded by the
    // batch's own bytes either way.
    Adaptive,
};
// Measured by bench/save on make-corpus folders, with and without another program's dirty
// data on the same file system: see bench/README.md.
inline constexpr FlushMode kDefaultFlushMode = FlushMode::Adaptive;

struct SaveOptions {
    FlushMode flush = kDefaultFlushMode;
    SaveProbe probe;
};

// Saves many files together, so that the flushes that make them crash-safe are paid once
// for the whole batch instead of once per file. For each group of files (as many as the
// open-file limit leaves room for, 16 to 2,048, and at most 64 MiB of tag bytes at a time):
//   1. the undo records of every file go into the process's undo journal, flushed once;
//   2. the new files (for tags that outgrew their space) are written and flushed;
//   3. each file is checked for changes made since it was opened, then gets its new tags:
//      written in place, or the new file renamed over it;
//   4. every file is flushed (FlushMode), what undoing the group takes is kept for "undo"
//      (kept_undo.h: the first group replaces what an earlier batch kept), then the journal
//      is emptied;
//   5. `written` of each saved file is told what the save wrote, to update its record.
// A kill at any point leaves each file with its old or its new tags; the next start
// rolls back what the journal names (undo_rollback.h). When the journal cannot be written,
// every file of the group fails with the journal's reason and stays untouched.
//
// Owns the files' descriptors until their group is written. One thread.
class SaveBatch {
public:
    explicit SaveBatch(SaveOptions options = {});
    ~SaveBatch();
    SaveBatch(const SaveBatch&) = delete;
    SaveBatch& operator=(const SaveBatch&) = delete;

    // Takes what `writer` staged (the writer is spent). Returns the place of this file's
    // outcome in finish()'s result.
    std::size_t add(TagFileWriter& writer, std::function<void(const SavedFile&)> written = {});

    // Writes what is still waiting. For every file in the order added: whether it was
    // saved, else why not (the file is then as it was).
    [[nodiscard]] std::vector<base::Outcome> finish();

private:
    struct Entry;

    void writeGroup();
    [[nodiscard]] bool journal(std::vector<Entry>& group);
    void writeNewFiles(std::vector<Entry>& group);
    bool flushesFileSystem(const std::vector<Entry>& group) const;
    void flushFiles(std::vector<Entry>& group, bool newFiles);
    void keepUndo(const std::vector<Entry>& group);

    SaveOptions options_;
    UndoJournal& journal_;
    KeptUndoWriter keptUndo_;
    std::vector<Entry> group_;
    std::size_t groupBytes_ = 0;
    std::size_t mostFiles_;
    std::vector<base::Outcome> outcomes_;
};

}  // namespace tw::core
