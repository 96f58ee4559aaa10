// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/app/unsaved_edits.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/file_list.h"
#include "core/tag_save.h"

namespace tw::gui {

bool confirmClose(core::FileList& list, base::UserPort& port) {
    if (!list.anyDirty())
        return true;
    switch (port.askYesNoCancel(base::tr(base::ids::kMsgSaveBeforeClosing))) {
        case base::UserPort::Answer::Yes:
            core::saveAll(list, port);
            return !list.anyDirty();
        case base::UserPort::Answer::No:
            return true;
        case base::UserPort::Answer::Cancel:
            break;
    }
    return false;
}

}  // namespace tw::gui
