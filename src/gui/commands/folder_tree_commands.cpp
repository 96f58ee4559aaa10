// The folder tree's context menu: opening the folder under the cursor and the opening rule.
// Playing, exploring and the folder properties come with the shell integration.
#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/app/list_opening.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/command_set.h"
#include "gui/mainwindow/folder_tree.h"
#include "gui/mainwindow/main_window.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

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
    core::AppOptions& options = c.gui.options;
    commands.define(
        ids::kCmdSingleClickOpensFolder,
        {[&options] { options.doubleClickOpensFolder = !options.doubleClickOpensFolder; },
         {},
         [&options] { return !options.doubleClickOpensFolder; }});
}

}  // namespace tw::gui
