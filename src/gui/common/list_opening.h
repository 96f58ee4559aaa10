// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tw::core {
class ListSession;
}

namespace tw::gui {

// Opening folders and files into the list from the menus, the dialogs, the folder tree,
// drops and the command line. Each asks before unsaved edits are dropped (the session's
// discard question) and does nothing when the user keeps them; each returns whether the
// list was rebuilt.

// A folder: its MP3 files become the list, the folder the work folder.
bool openFolderAsked(core::ListSession& session, const std::string& folder, bool refreshTree);

// Files of one folder: the first makes the list anew, the others join it (files of another
// folder than the first are left out).
bool openFilesAsked(core::ListSession& session, const std::vector<std::string>& paths);

// Items dropped on the window: several items open their audio files (the names the folder
// listing takes; other items are left out); a single item opens as a file when it is such
// a file, as a folder when it is one.
bool openDropped(core::ListSession& session, const std::vector<std::string>& paths);

}  // namespace tw::gui
