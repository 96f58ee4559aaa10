// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/file_failure.h"
#include "rename/mask_expansion.h"
#include "rename/mask_list.h"
#include "rename/mask_tokens.h"
#include "rename/rename_plan.h"

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base
namespace tw::core {
class FileList;
}

namespace tw::rename {

struct SymbolTable;

// Whether the selected files have several artists: some file's non-empty effective artist
// differs (byte for byte) from the first non-empty one.
bool hasSeveralArtists(const core::FileList& list);

// One row of the renaming preview.
struct RenamePreviewRow {
    std::string before;  // the file name now
    std::string after;   // the name the mask gives; empty when it gives none
    RenameCheck check;   // what renaming it will do
};

// What a renaming run did.
struct RenameOutcome {
    int renamed = 0;                        // files moved or already bearing their new name
    std::vector<core::FileFailure> failed;  // file names (as they were) and why
};

// The Advanced Renaming command without its window: the stored mask list, the preview and
// the run over the selection chain. Each preview and run reads the symbol table
// "SymbolReplacementTagToFilename" from the store once and applies it to every file.
//
// Ownership: refers to the FileList and the SettingsStore, which outlive it; owns its
// MaskList. The records change only in run().
class RenamingCommand {
public:
    // Opening: names the table the mask editor edits, loads the mask list (the defaults
    // when it holds none) and checks the selection for several artists.
    RenamingCommand(core::FileList& list, base::SettingsStore& store);

    MaskList& maskList() { return masks_; }
    const MaskList& maskList() const { return masks_; }
    bool severalArtists() const { return severalArtists_; }
    // File row B; directory row C with several artists, else A.
    TokenPermissions permissions() const;

    // "Create missing folders": a mask's folders that do not exist are made, inside the
    // folders the mask allows, instead of failing the files. Stored with the dialog's
    // settings on OK; off unless stored.
    bool createFolders() const { return createFolders_; }
    void setCreateFolders(bool on) { createFolders_ = on; }

    // The row of each selected file in chain order, the current mask expanded with the
    // file's index and 1-based position, and what renaming it will do. Saves the mask list
    // first.
    std::vector<RenamePreviewRow> preview();

    // OK: stores the folder switch, saves the mask list, then renames the selected files the
    // preview says may move, in the order renameOrder gives (so names that files of the run
    // vacate, swaps and cycles included, are taken only once free), with progress (making a
    // file's folder first when that is switched on), and reports the files that failed (an
    // empty expansion, a missing folder, a name already taken: a rename never replaces a
    // file) with `workFolder`. A folder made for a file whose move then fails is removed
    // again; folders that moves leave empty stay.
    RenameOutcome run(base::UserPort& port, const std::string& workFolder);

private:
    std::vector<Expansion> expandAll(const std::vector<int>& chain) const;
    std::vector<RenameCheck> plan(const std::vector<int>& chain,
                                  const std::vector<Expansion>& expansions) const;
    Expansion expand(const SymbolTable& table, int fileIndex, int position) const;

    core::FileList& list_;
    base::SettingsStore& store_;
    MaskList masks_;
    bool severalArtists_ = false;
    bool createFolders_ = false;
};

}  // namespace tw::rename
