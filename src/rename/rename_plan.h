// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/message.h"

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
    NotWritable,    // its new folder is one the user may not write in
    TakenByFile,    // a file that stays where it is already has the name
    TakenByRow,     // a file earlier in the run claims the name first
};

// The outcome a rename will have, worked out before it runs.
struct RenameCheck {
    RenameStatus status = RenameStatus::Rename;
    std::string folder;    // the folder the file lands in, ending with '/'; empty when refused
    int takenBy = -1;      // TakenByRow: the 0-based place of the file that takes the name
    base::Message reason;  // why the rename will fail; empty otherwise
    std::string name;      // the name AudioFile::rename takes (relative to the work folder)
    std::string from;      // the file's path now, lexically normal
    std::string to;        // the path it will have, lexically normal; empty when refused

    bool fails() const;
    bool moves() const;  // Rename or NewFolder
};

// Works out what renaming each file of a run (in run order, each with its expansion) will
// do, reading the disk and changing nothing. A name is free when no file has it or when the
// file that has it is one of the run and moves away: the run orders its moves so that it
// is vacated first (renameOrder). When two files claim one name, the first gets it.
//
// `createFolders`: missing folders inside the allowed ones are to be made (NewFolder)
// rather than failing the file (MissingFolder).
std::vector<RenameCheck> planRenames(const std::vector<const core::AudioFile*>& files,
                                     const std::vector<Expansion>& expansions, bool createFolders);

// Marks the moves of a plan whose new name a file holds on disk (TakenByFile): a name is
// free only while its holder is a file of the plan that moves away; a file that cannot move
// holds its name, which may stop the file that wanted it.
void markTakenNames(std::vector<RenameCheck>& plan);

// One move of a run: the file at `place` to its new name, or first out of the way to a
// temporary name beside it (which breaks a cycle such as a swap).
struct RenameStep {
    int place = 0;
    bool toTemporary = false;
};

// The order in which to make the moves of a plan so that no file's new name is still held
// by another file of the run when it moves: a file whose new name is another's current one
// moves after it; in a cycle one file is first moved to a temporary name. Each moving file
// appears once without `toTemporary`; files of the plan that do not move do not appear.
std::vector<RenameStep> renameOrder(const std::vector<RenameCheck>& plan);

// Why a name was refused.
base::Message refusalReason(NameRefusal refusal);

}  // namespace tw::rename
