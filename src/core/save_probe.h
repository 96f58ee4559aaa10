// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::core {

// The points between the steps of a save at which a kill or a power cut may stop it.
enum class SaveStep {
    JournalWritten,   // the undo records of a batch are written, not yet flushed
    JournalFlushed,   // ... and flushed
    RangeInserted,    // a file grew at its start by whole blocks, still zeros
    NewFileWritten,   // a new file (for a tag that outgrew its space) is written, unnamed
    NewFilesFlushed,  // the new files are on the disk
    BlockWritten,     // one more block of new tag bytes is in a file (probe only: see below)
    NewFileLinked,    // a new file got its hidden name
    FilePlaced,       // a file holds its new tags (written in place, or the new file renamed)
    FilesFlushed,     // every file of the batch is on the disk
    JournalCleared,   // the batch is complete
};

// How tests look into the save path; the program leaves it empty.
struct SaveProbe {
    // Called after each step; a fault-injection test ends the process in it, as a kill
    // would. While it is set, in-place writes go block by block, so that a write cut off
    // half-way can be tried as well.
    void (*afterStep)(SaveStep) = nullptr;
    // New files are made under their hidden name at once, as on a file system without
    // unnamed files.
    bool namedNewFiles = false;
    // Tags that outgrow their space get a new file, as on a file system that cannot insert
    // blocks at a file's start.
    bool newFilesForGrowth = false;
    // Inserting blocks at a file's start fails although the file system took them on a
    // scratch file, as for an old block-mapped file: the save falls back to a new file.
    bool refuseInsert = false;

    void reached(SaveStep step) const {
        if (afterStep)
            afterStep(step);
    }
};

}  // namespace tw::core
