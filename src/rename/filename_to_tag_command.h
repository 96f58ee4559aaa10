// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/file_list.h"
#include "rename/filename_to_tag.h"
#include "rename/mask_list.h"
#include "rename/mask_tokens.h"

namespace tw::base {
class SettingsStore;
}

namespace tw::rename {

// The Filename > ID3 Tag command without its window: the write switches, the stored mask
// list, the preview on copies and the run over the selection chain. Each preview and run
// reads the symbol table "SymbolReplacementFilenameToTag" from the store once.
//
// Ownership: refers to the FileList and the SettingsStore, which outlive it; owns its
// MaskList. The records change only in run().
class FilenameToTagCommand {
public:
    // Opening: reads "WriteV1", "WriteV2" and "OverwriteMode" of "DlgFilenameToTag", names
    // the table the mask editor edits and loads the mask list (the defaults when empty).
    FilenameToTagCommand(core::FileList& list, base::SettingsStore& store);

    MaskList& maskList() { return masks_; }
    const MaskList& maskList() const { return masks_; }
    // File row D, no folders (E).
    static TokenPermissions permissions() { return TokenPermissions::forFilenameToTag(); }

    bool overwrite() const { return overwrite_; }
    bool writeV1() const { return writeV1_; }
    bool writeV2() const { return writeV2_; }
    void setOverwrite(bool on) { overwrite_ = on; }
    void setWriteV1(bool on) { writeV1_ = on; }
    void setWriteV2(bool on) { writeV2_ = on; }
    // The switches with the mask list's case mode.
    FillOptions fillOptions() const;

    // Copies of the selected records, filled from their names by the current mask; the real
    // records stay untouched. Saves the mask list first.
    core::FileList preview();

    // OK: stores the switches, saves the mask list and fills every selected record in
    // memory. True when any record changed (the tags reach the files on save).
    bool run();

private:
    core::FileList& list_;
    base::SettingsStore& store_;
    MaskList masks_;
    bool overwrite_ = false;
    bool writeV1_ = true;
    bool writeV2_ = true;
};

}  // namespace tw::rename
