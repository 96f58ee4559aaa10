// SPDX-License-Identifier: GPL-2.0-or-later
// The "ID3 Tags" menu: saving the changed tags, filling one tag from the other, clearing
// tags, numbering tracks, filling tags from the file names, renaming the files from their
// tags. Save writes the files and renaming moves them; the rest changes the records in
// memory only.
#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/batch_tags.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "gui/app/shell_port.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/command_set.h"
#include "gui/mainwindow/main_window.h"
#include "gui/views/file_list_view.h"
#include "gui/views/tag_tabs_view.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

bool confirmed(CommandContext& c, int questionId) {
    return c.gui.port.askYesNo(base::tr(questionId)) == base::UserPort::Answer::Yes;
}

}  // namespace

void defineTagCommands(CommandSet& commands, CommandContext& c) {
    core::FileList& list = c.gui.list;
    auto anySelected = [&list] { return core::canEditSelected(list); };
    // An open cell edit of the list is kept before the command runs, so it may be saved.
    commands.define(
        ids::kCmdSaveChanges,
        {[&c] { c.window.tagTabs().saveChanges(); },
         [&c, &list] { return core::canSave(list) || c.window.fileList().isEditing(); }});
    commands.define(ids::kCmdFillV1FromV2, {[&c, &list] {
                                                core::fillV1FromV2Selected(list);
                                                c.window.recordsEdited();
                                            },
                                            anySelected});
    commands.define(ids::kCmdFillV2FromV1, {[&c, &list] {
                                                core::fillV2FromV1Selected(list);
                                                c.window.recordsEdited();
                                            },
                                            anySelected});
    commands.define(ids::kCmdClearV1,
                    {[&c, &list] {
                         if (confirmed(c, ids::kMsgConfirmClearV1) && core::clearV1Selected(list))
                             c.window.recordsEdited();
                     },
                     anySelected});
    commands.define(ids::kCmdClearV2,
                    {[&c, &list] {
                         if (confirmed(c, ids::kMsgConfirmClearV2) && core::clearV2Selected(list))
                             c.window.recordsEdited();
                     },
                     anySelected});
    commands.define(ids::kCmdSetNumbering, {[&c, &list] {
                                                core::setNumbering(list);
                                                c.window.recordsEdited();
                                            },
                                            [&list] { return core::canSetNumbering(list); }});
    // It changes every selected file at once, so it asks first as the clear commands do.
    commands.define(ids::kCmdRemoveNumbering,
                    {[&c, &list] {
                         if (c.gui.port.askYesNo(base::trf(ids::kMsgConfirmRemoveNumbering,
                                                           list.selectedCount())) !=
                             base::UserPort::Answer::Yes)
                             return;
                         core::removeNumbering(list);
                         c.window.recordsEdited();
                     },
                     [&list] { return core::canRemoveNumbering(list); }});
    commands.define(ids::kCmdFilenameToTag, {[&c] {
                                                 if (c.shell.showFilenameToTag(c.gui))
                                                     c.window.recordsEdited();
                                             },
                                             anySelected});
    commands.define(ids::kCmdAdvancedRenaming, {[&c] {
                                                    if (c.shell.showRenaming(c.gui))
                                                        c.window.listChanged();
                                                },
                                                [&list] { return !list.empty(); }});
}

}  // namespace tw::gui
