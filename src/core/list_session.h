// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "core/app_options.h"
#include "core/file_list.h"

namespace tw::base {
class UserPort;
}

namespace tw::core {

// What the windows showing the list do after an operation changed it. The GUI implements
// it; a session without views (the CLI, tests) simply has none.
class ListViews {
public:
    virtual ~ListViews() = default;
    // The records changed: rows, tag tabs and totals are redrawn from them.
    virtual void listChanged() = 0;
    // Move Up / Move Down put the same records in another order.
    virtual void rowsMoved() = 0;
    // The work folder changed or was rescanned: the folder tree shows it afresh.
    virtual void folderTreeChanged() = 0;
};

// The operations that build, refresh and reorder the list of the work folder, with their
// questions and reports.
//
// Ownership: the session refers to a FileList, the AppOptions and a UserPort owned by the
// application object (the CLI: its command), which outlive the session; the optional
// ListViews likewise. The session holds no state of its own.
class ListSession {
public:
    ListSession(FileList& list, AppOptions& options, base::UserPort& port,
                ListViews* views = nullptr);

    // Rebuilds the list from the audio files of `folder` (listedAudioFiles: with the options
    // "MP3 files only" and "Include sub-folders"; the extension in any case, so "X.MP3" is
    // listed too), with progress; the folder becomes the work folder and every file is
    // selected. Each record's name is relative to its own folder. False when the folder
    // cannot be read (the list is then empty), which is told through the port.
    [[nodiscard]] bool scanFolder(const std::string& folder, bool refreshTree);

    // Without addMode: the list becomes this one file and its folder the work folder.
    // With addMode: the file is appended when it lies in the work folder (or below it, with
    // sub-folders included), else ignored.
    // False when the file was ignored or its record could not be made.
    [[nodiscard]] bool openFile(const std::string& path, bool addMode);

    // Reads every selected file again into a fresh record, keeping the selection, after
    // confirmDropSelectedEdits. False when the user kept the edits.
    bool refreshSelected();

    // The Move Up / Move Down commands; true when anything moved.
    bool moveSelectedUp();
    bool moveSelectedDown();

    // Remove Files from File List, after confirmDropSelectedEdits. False when the user kept
    // the edits.
    bool removeSelected();
    // Delete Files from Disk: asks first; files that could not be deleted stay in the list
    // and are reported. False when the user said no.
    bool deleteSelected();

    // Before the list is rebuilt: true when nothing is dirty or the user agrees to drop the
    // unsaved changes.
    bool confirmDiscard();
    // Before the selected records are read again or taken out of the list: true when none
    // of them holds unsaved edits or the user agrees to drop them.
    bool confirmDropSelectedEdits();
    // Refresh Folder: after confirmDiscard, scans the work folder again.
    bool refreshFolder();
    // A folder chosen in the folder tree: after confirmDiscard, scans it. False when the
    // user kept the list (the tree then goes back to the work folder).
    [[nodiscard]] bool openFolder(const std::string& folder);

private:
    void listChanged();
    void rowsMoved();
    void folderTreeChanged();

    FileList& list_;
    AppOptions& options_;
    base::UserPort& port_;
    ListViews* views_;
};

}  // namespace tw::core
