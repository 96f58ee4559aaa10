// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "rename/mask_expansion.h"

namespace tw::core {
struct AudioFile;
}

namespace tw::rename {

// What renaming will do to one file.
enum class RenameStatus {
    Rename,         // moved to its new name
    NewFolder,      // moved into a folder the run makes (for it or a file before it)
    Unchanged,      // already bears its new name
    Refused,        // the mask gives it no name a file may have
    MissingFolder,  // its new folder does not exist and is not to be made
    TakenByFile,    // a file that stays where it is already has the name
    TakenByRow,     // a file renamed before it takes the name first
};

// The outcome a rename will have, worked out before it runs.
struct RenameCheck {
    RenameStatus status = RenameStatus::Rename;
    std::string folder;  // the folder the file lands in, ending with '/'; empty when refused
    int takenBy = -1;    // TakenByRow: the 0-based place of the file that takes the name
    std::string reason;  // why the rename will fail, in the active language; empty otherwise

    bool fails() const;
};

// Works out, file after file in run order, what renaming each would do: the disk as it is,
// changed by the moves of the files before it (a name freed by an earlier move is free, a
// name an earlier file took is taken). It reads the disk and changes nothing.
//
// One planner serves one preview; feed every file of the run in order.
class RenamePlanner {
public:
    // `createFolders`: missing folders inside the allowed ones are to be made (NewFolder)
    // rather than failing the file (MissingFolder).
    explicit RenamePlanner(bool createFolders) : createFolders_(createFolders) {}

    // The check of renaming `file` as `expansion` says, after the files fed before it.
    RenameCheck next(const core::AudioFile& file, const Expansion& expansion);

private:
    bool folderExists(const std::string& folder);
    bool pathTaken(const std::string& path) const;

    bool createFolders_;
    int place_ = 0;
    std::unordered_map<std::string, int> takenBy_;       // new path -> place
    std::unordered_set<std::string> vacated_;            // paths earlier files moved from
    std::unordered_set<std::string> foldersToMake_;      // folders earlier files make
    std::unordered_map<std::string, bool> folderCache_;  // folder -> exists on disk
};

// Why a name was refused, in the active language.
std::string refusalReason(NameRefusal refusal);

}  // namespace tw::rename
