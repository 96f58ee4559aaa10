#pragma once

namespace tw::base {
class UserPort;
}
namespace tw::core {
class FileList;
}

namespace tw::gui {

// The questions asked before unsaved edits would go. (Rebuilding the list asks the
// session's own discard question.)

// Before the program closes: asks whether to save the edits first. Yes saves every file,
// No drops the edits, Cancel keeps the program open. True when the program may close; when
// a save leaves some file unsaved (the failed files were just shown), it stays open too, so
// nothing is lost that the user did not give up.
bool confirmClose(core::FileList& list, base::UserPort& port);

// Before the selected records are read again or taken out of the list: when one of them
// holds unsaved edits, asks whether to drop them. True when the command may go on.
bool confirmDropSelectedEdits(const core::FileList& list, base::UserPort& port);

}  // namespace tw::gui
