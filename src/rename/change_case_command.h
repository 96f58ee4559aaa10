// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/file_failure.h"
#include "rename/case_conversion.h"

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base
namespace tw::core {
class FileList;
}

namespace tw::rename {

// What the Change Case command recases.
enum class ChangeCaseTarget { Title = 0, Artist = 1, Album = 2, Comment = 3, FileName = 4 };

// One row of the Change Case lists.
struct ChangeCaseRow {
    int fileIndex = 0;
    std::string before;
    std::string after;
};

// What a Change Case run did.
struct ChangeCaseOutcome {
    int changed = 0;                        // records whose tags or name changed
    std::vector<core::FileFailure> failed;  // file names (as they were) and why
};

// The Change Case command without its window, for one target.
//
// Ownership: refers to the FileList and the SettingsStore, which outlive it. The records
// change only in run().
class ChangeCaseCommand {
public:
    // Opening: the mode is the stored "cc" of "Settings" (1 when absent or out of range).
    ChangeCaseCommand(core::FileList& list, base::SettingsStore& store, ChangeCaseTarget target);

    ChangeCaseTarget target() const { return target_; }
    // The target's name as the dialog shows it ("Title", ..., "Filename").
    std::string targetName() const;

    ChangeCaseMode mode() const { return mode_; }
    void setMode(ChangeCaseMode mode) { mode_ = mode; }

    // For a field: one row per selected file whose effective value is not empty; for the
    // file name: one row per selected file with its name. `after` is the row converted by
    // the current mode.
    std::vector<ChangeCaseRow> rows() const;

    // OK: stores the mode as "cc"; converts the field of each tag that holds it (marking
    // that tag changed), or renames each file whose converted name differs. Failed renames
    // are reported like those of the renaming command, with `workFolder`.
    ChangeCaseOutcome run(base::UserPort& port, const std::string& workFolder);

private:
    core::FileList& list_;
    base::SettingsStore& store_;
    ChangeCaseTarget target_;
    ChangeCaseMode mode_;
};

}  // namespace tw::rename
