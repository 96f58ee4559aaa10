// The "File" menu: the file information window, deleting files, editing a file name.
#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "core/list_session.h"
#include "gui/app/shell_port.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/command_set.h"
#include "gui/mainwindow/main_window.h"
#include "gui/views/file_list_view.h"

namespace tw::gui {

namespace ids = base::ids;

void defineFileCommands(CommandSet& commands, CommandContext& c) {
    commands.define(ids::kCmdFileInfo, {[&c] {
                                            c.shell.showFileInfo(c.gui, c.gui.list.firstSelected());
                                            // The window edits any file of the list.
                                            c.window.listChanged();
                                        },
                                        [&c] { return c.gui.list.firstSelected() >= 0; }});
    commands.define(ids::kCmdDeleteFiles, {[&c] { c.session.deleteSelected(); },
                                           [&c] { return core::canRemoveFiles(c.gui.list); }});
    commands.define(ids::kCmdEditFilename,
                    {[&c] { c.window.fileList().editFilename(); },
                     [&c] { return !c.gui.list.empty() && c.gui.options.allowEditInList; }});
}

}  // namespace tw::gui
