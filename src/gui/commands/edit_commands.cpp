// SPDX-License-Identifier: GPL-2.0-or-later
// The "Edit" menu: the selection commands, moving files in the list, the letter case of a
// field or of the file names, taking files out of the list.
#include "base/string_ids.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "core/list_session.h"
#include "gui/app/shell_port.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/command_set.h"
#include "gui/mainwindow/main_window.h"
#include "gui/views/file_list_view.h"
#include "rename/change_case_command.h"

namespace tw::gui {

namespace ids = base::ids;

void defineEditCommands(CommandSet& commands, CommandContext& c) {
    core::FileList& list = c.gui.list;
    commands.define(ids::kCmdSelectAll, {[&c, &list] {
                                             list.selectAll();
                                             c.window.selectionChanged();
                                         },
                                         [&list] { return core::canSelectAll(list); }});
    commands.define(ids::kCmdInvertSelection, {[&c, &list] {
                                                   list.invertSelection();
                                                   c.window.selectionChanged();
                                               },
                                               [&list] { return core::canInvertSelection(list); }});
    commands.define(ids::kCmdUncheckAll, {[&c, &list] {
                                              list.selectOnly(c.window.fileList().focusedRow());
                                              c.window.selectionChanged();
                                          },
                                          [&list] { return core::canUncheckAll(list); }});
    commands.define(ids::kCmdMoveUp,
                    {[&c] { c.session.moveSelectedUp(); }, [&list] { return list.canMoveUp(); }});
    commands.define(ids::kCmdMoveDown, {[&c] { c.session.moveSelectedDown(); },
                                        [&list] { return list.canMoveDown(); }});
    commands.define(ids::kCmdRemoveFiles, {[&c] { c.session.removeSelected(); },
                                           [&list] { return core::canRemoveFiles(list); }});

    using rename::ChangeCaseTarget;
    const std::pair<int, ChangeCaseTarget> caseCommands[] = {
        {ids::kCmdChangeTitleCase, ChangeCaseTarget::Title},
        {ids::kCmdChangeArtistCase, ChangeCaseTarget::Artist},
        {ids::kCmdChangeAlbumCase, ChangeCaseTarget::Album},
        {ids::kCmdChangeCommentCase, ChangeCaseTarget::Comment},
        {ids::kCmdChangeFilenameCase, ChangeCaseTarget::FileName},
    };
    for (const auto& command : caseCommands) {
        const ChangeCaseTarget target = command.second;
        commands.define(command.first, {[&c, target] {
                                            if (!c.shell.showChangeCase(c.gui, target))
                                                return;
                                            if (target == ChangeCaseTarget::FileName)
                                                c.window.listChanged();
                                            else
                                                c.window.recordsEdited();
                                        },
                                        [&list] { return core::canEditSelected(list); }});
    }
}

}  // namespace tw::gui
