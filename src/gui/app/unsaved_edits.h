// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::base {
class UserPort;
}
namespace tw::core {
class FileList;
}

namespace tw::gui {

// The question asked before the program closes with unsaved edits. (Rebuilding the list,
// refreshing and removing records ask the session's own questions.)

// Before the program closes: asks whether to save the edits first. Yes saves every file,
// No drops the edits, Cancel keeps the program open. True when the program may close; when
// a save leaves some file unsaved (the failed files were just shown), it stays open too, so
// nothing is lost that the user did not give up.
bool confirmClose(core::FileList& list, base::UserPort& port);

}  // namespace tw::gui
