// SPDX-License-Identifier: GPL-2.0-or-later
// The "File" menu: the file information window, playing, deleting files, editing a file name.
#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "core/list_session.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/shell_port.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/shell/media_player.h"
#include "gui/views/file_list_view.h"

namespace tw::gui {

namespace ids = base::ids;

void defineFileCommands(CommandSet& commands, CommandContext& c) {
    // The window edits any file of the list, and may rename files.
    commands.define(ids::kCmdFileInfo,
                    {[&c] {
                         EditDocument& document = c.gui.document;
                         document.editAll(EditDocument::commandName(ids::kMenuFileInfo), [&] {
                             c.shell.showFileInfo(c.gui, c.gui.list.firstSelected());
                         });
                         document.recordsRenamed();
                     },
                     [&c] { return c.gui.list.firstSelected() >= 0; }});
    // The selected files in list order, as one playlist named after the work folder.
    commands.define(ids::kCmdPlay, {[&c] {
                                        std::vector<std::string> paths;
                                        for (int index : c.gui.list.selectedIndices())
                                            paths.push_back(c.gui.list.at(index).path);
                                        playFiles(c.desktop, paths,
                                                  playlistNameOf(c.gui.options.workFolder));
                                    },
                                    [&c] { return !c.gui.list.empty(); }});
    commands.define(ids::kCmdDeleteFiles, {[&c] { c.session.deleteSelected(); },
                                           [&c] { return core::canRemoveFiles(c.gui.list); }});
    commands.define(ids::kCmdEditFilename,
                    {[&c] { c.window.fileList().editFilename(); },
                     [&c] { return !c.gui.list.empty() && c.gui.options.allowEditInList; }});
}

}  // namespace tw::gui
