// SPDX-License-Identifier: GPL-2.0-or-later
// The "Folder" menu: opening files and folders, refreshing, leaving the program.
#include <functional>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_session.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/list_opening.h"
#include "gui/common/shell_port.h"
#include "gui/mainwindow/main_window.h"
#include "gui/views/file_list_view.h"

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
    // The list shows at once what an option says; declining to discard unsaved edits keeps
    // both the list and the option.
    core::AppOptions& options = c.gui.options;
    auto defineListOption = [&](int id, bool& option, std::function<void()> whenOn) {
        commands.define(id, {[&c, &option, whenOn = std::move(whenOn)] {
                                 option = !option;
                                 const std::string folder = c.gui.options.workFolder;
                                 if (!openFolderAsked(c.session, folder, true))
                                     option = !option;
                                 else if (option && whenOn)
                                     whenOn();
                             },
                             {},
                             [&option] { return option; }});
    };
    defineListOption(ids::kCmdMp3FilesOnly, options.mp3FilesOnly, {});
    // Where the files lie is worth seeing once they come from many folders.
    defineListOption(ids::kCmdIncludeSubfolders, options.includeSubfolders,
                     [&c] { c.window.fileList().setColumnVisible(ids::kCmdColumnFolder, true); });
    commands.define(ids::kCmdExit, {[&c] { c.window.close(); }});
}

}  // namespace tw::gui
