// SPDX-License-Identifier: GPL-2.0-or-later
// The folder tree's context menu (opening, playing, exploring the folder under the cursor,
// its properties, the opening rule) and the toolbar's cascading folder menu.
#include <QCursor>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/list_opening.h"
#include "gui/mainwindow/folder_tree.h"
#include "gui/mainwindow/main_window.h"
#include "gui/qt_text.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/file_manager.h"
#include "gui/shell/folder_menu.h"
#include "gui/shell/media_player.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// A command on the folder under the cursor; disabled where the menu opened on no folder.
CommandSet::Handler onContextFolder(FolderTree& tree,
                                    std::function<void(const std::string&)> work) {
    return {[&tree, work] { work(utf8(tree.contextFolder())); },
            [&tree] { return !tree.contextFolder().isEmpty(); }};
}

}  // namespace

void defineFolderTreeCommands(CommandSet& commands, CommandContext& c) {
    FolderTree& tree = c.window.folderTree();
    commands.define(ids::kCmdOpenTreeFolder,
                    {[&c, &tree] {
                         if (!openFolderAsked(c.session, utf8(tree.contextFolder()), true))
                             c.window.folderTreeChanged();
                     },
                     [&c, &tree] {
                         const QString folder = tree.contextFolder();
                         return !folder.isEmpty() && folder != qs(c.gui.options.workFolder);
                     }});
    DesktopContext& desktop = c.desktop;
    commands.define(ids::kCmdPlayFolder, onContextFolder(tree, [&desktop](const std::string& f) {
                        playFolder(desktop, f);
                    }));
    commands.define(ids::kCmdEnqueueFolder, onContextFolder(tree, [&desktop](const std::string& f) {
                        enqueueFolder(desktop, f);
                    }));
    commands.define(ids::kCmdExploreFolder, onContextFolder(tree, [&desktop](const std::string& f) {
                        exploreFolder(desktop, f);
                    }));
    commands.define(ids::kCmdFolderProperties,
                    onContextFolder(tree, [&desktop](const std::string& f) {
                        showFolderProperties(desktop, f);
                    }));
    core::AppOptions& options = c.gui.options;
    commands.define(
        ids::kCmdSingleClickOpensFolder,
        {[&options] { options.doubleClickOpensFolder = !options.doubleClickOpensFolder; },
         {},
         [&options] { return !options.doubleClickOpensFolder; }});

    commands.define(ids::kCmdFolderMenu, {[&c, &desktop] {
                        FolderMenu menu(
                            folderMenuStart(c.gui.options.workFolder),
                            [&desktop](const std::string& folder, bool enqueue) {
                                if (enqueue)
                                    enqueueFolder(desktop, folder);
                                else
                                    playFolder(desktop, folder);
                            },
                            &c.window);
                        menu.exec(QCursor::pos());
                    }});
}

}  // namespace tw::gui
