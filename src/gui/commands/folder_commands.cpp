// SPDX-License-Identifier: GPL-2.0-or-later
// The "Folder" menu: opening files and folders, refreshing, leaving the program.
#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_session.h"
#include "gui/app/list_opening.h"
#include "gui/app/shell_port.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/command_set.h"
#include "gui/mainwindow/main_window.h"

namespace tw::gui {

namespace ids = base::ids;

void defineFolderCommands(CommandSet& commands, CommandContext& c) {
    commands.define(ids::kCmdOpenFile, {[&c] {
                        openFilesAsked(c.session, c.shell.pickAudioFiles(c.gui.options.workFolder));
                    }});
    commands.define(ids::kCmdOpenFolder, {[&c] {
                        if (auto folder = c.shell.pickFolder(c.gui.options.workFolder))
                            openFolderAsked(c.session, *folder, true);
                    }});
    commands.define(ids::kCmdRefreshSelected, {[&c] { c.session.refreshSelected(); },
                                               [&c] { return c.gui.list.selectedCount() > 0; }});
    commands.define(ids::kCmdRefreshFolder, {[&c] { c.session.refreshFolder(); }});
    // The list shows at once what the option says; declining to discard unsaved edits keeps
    // both the list and the option.
    core::AppOptions& options = c.gui.options;
    commands.define(ids::kCmdMp3FilesOnly, {[&c, &options] {
                                                options.mp3FilesOnly = !options.mp3FilesOnly;
                                                const std::string folder = options.workFolder;
                                                if (!openFolderAsked(c.session, folder, true))
                                                    options.mp3FilesOnly = !options.mp3FilesOnly;
                                            },
                                            {},
                                            [&options] { return options.mp3FilesOnly; }});
    commands.define(ids::kCmdExit, {[&c] { c.window.close(); }});
}

}  // namespace tw::gui
