// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/result.h"
#include "core/undo_record.h"

namespace tw::core {

// The undo of the last complete save or rename batch, kept in the user's state folder
// (base::appPaths()) until the next batch of either replaces it, across restarts: for a
// save, the records its undo journal held (the old bytes of every region it wrote in place;
// a file it replaced with a new file only by name, as Rewritten); for a rename batch, each
// file's name before and after (Renamed).
//
// Bounded: a save whose records pass kMostKeptUndo keeps those of the files it saved last;
// the older ones are dropped and kept by name only (Dropped), so that undoing can say why
// it leaves them.
inline constexpr std::uint64_t kMostKeptUndo = 128ull * 1024 * 1024;

enum class KeptBatch { None, Save, Rename };

// Keeps one batch's undo as its files complete. One thread, one batch.
class KeptUndoWriter {
public:
    explicit KeptUndoWriter(KeptBatch batch);

    // Adds the records of files the batch completed; the first call replaces the undo an
    // earlier batch kept. Should it fail, nothing stays kept, so that "undo" can never reach
    // back to an older batch; why is returned.
    base::Outcome keep(const std::vector<UndoRecord>& records);

private:
    base::Outcome rewrite(std::vector<UndoRecord> records);

    std::filesystem::path path_;
    bool started_ = false;
    std::uint64_t size_ = 0;
};

// What is kept: no records when nothing is (or what is kept cannot be read whole, which is
// then `damaged`).
struct KeptUndo {
    KeptBatch batch = KeptBatch::None;
    std::vector<UndoRecord> records;
    bool damaged = false;
};
KeptUndo readKeptUndo();

// Which batch is kept, without reading it.
KeptBatch keptBatch();

// Forgets what is kept (it was undone).
void forgetKeptUndo();

}  // namespace tw::core
