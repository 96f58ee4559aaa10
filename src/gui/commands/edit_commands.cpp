// SPDX-License-Identifier: GPL-2.0-or-later
// The "Edit" menu: the selection commands, moving files in the list, the letter case of a
// field or of the file names, taking files out of the list.
#include <tuple>

#include "base/string_ids.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "core/list_session.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/shell_port.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/views/file_list_view.h"
#include "rename/change_case_command.h"

namespace tw::gui {

namespace ids = base::ids;

void defineEditCommands(CommandSet& commands, CommandContext& c) {
    core::FileList& list = c.gui.list;
    EditDocument& document = c.gui.document;
    commands.define(ids::kCmdSelectAll, {[&document] { document.selectAll(); },
                                         [&list] { return core::canSelectAll(list); }});
    commands.define(ids::kCmdInvertSelection, {[&document] { document.invertSelection(); },
                                               [&list] { return core::canInvertSelection(list); }});
    commands.define(ids::kCmdUncheckAll,
                    {[&c, &document] { document.selectOnly(c.window.fileList().focusedRow()); },
                     [&list] { return core::canUncheckAll(list); }});
    commands.define(ids::kCmdMoveUp,
                    {[&c] { c.session.moveSelectedUp(); }, [&list] { return list.canMoveUp(); }});
    commands.define(ids::kCmdMoveDown, {[&c] { c.session.moveSelectedDown(); },
                                        [&list] { return list.canMoveDown(); }});
    commands.define(ids::kCmdRemoveFiles, {[&c] { c.session.removeSelected(); },
                                           [&list] { return core::canRemoveFiles(list); }});

    using rename::ChangeCaseTarget;
    const std::tuple<int, int, ChangeCaseTarget> caseCommands[] = {
        {ids::kCmdChangeTitleCase, ids::kMenuChangeTitleCase, ChangeCaseTarget::Title},
        {ids::kCmdChangeArtistCase, ids::kMenuChangeArtistCase, ChangeCaseTarget::Artist},
        {ids::kCmdChangeAlbumCase, ids::kMenuChangeAlbumCase, ChangeCaseTarget::Album},
        {ids::kCmdChangeCommentCase, ids::kMenuChangeCommentCase, ChangeCaseTarget::Comment},
        {ids::kCmdChangeFilenameCase, ids::kMenuChangeFilenameCase, ChangeCaseTarget::FileName},
    };
    for (const auto& caseCommand : caseCommands) {
        // Plain copies, since a lambda may not capture structured bindings before clang 16.
        const int labelId = std::get<1>(caseCommand);
        const ChangeCaseTarget target = std::get<2>(caseCommand);
        commands.define(std::get<0>(caseCommand),
                        {[&c, &document, labelId, target] {
                             // File names change on disk at once, which is no step of
                             // the history.
                             if (target == ChangeCaseTarget::FileName) {
                                 if (c.shell.showChangeCase(c.gui, target))
                                     document.recordsRenamed();
                                 return;
                             }
                             document.editSelected(EditDocument::commandName(labelId),
                                                   [&] { c.shell.showChangeCase(c.gui, target); });
                         },
                         [&list] { return core::canEditSelected(list); }});
    }
}

}  // namespace tw::gui
