// SPDX-License-Identifier: GPL-2.0-or-later
// "Get CD Info from FreeDB" (Ctrl+F8): the selected files as the tracks of one disc, looked
// up in the album window; the album the user selects there goes into their tags, in memory
// until the user saves.
#include "base/string_ids.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "freedb/album_files.h"
#include "freedb/cd_player_ini_store.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/document/edit_document.h"
#include "gui/freedb/album_window.h"
#include "gui/mainwindow/main_window.h"

namespace tw::gui {

namespace ids = base::ids;

void defineFreeDbCommands(CommandSet& commands, CommandContext& c) {
    // Kept for the whole run: the proxy credentials the user enters once.
    auto session = std::make_shared<FreeDbSession>();
    commands.define(
        ids::kCmdGetCdInfo,
        {[&c, session] {
             freedb::AlbumInfo album;
             if (!freedb::BuildAlbumFromSelection(c.gui.list, album, c.gui.port))
                 return;
             const FreeDbWindowContext context{c.gui.settings, c.gui.port, c.shell,
                                               freedb::DefaultCdPlayerIniPath(), session};
             // The window is modal to the main window, so the selection it applies to
             // stays as it was; it deletes itself when it closes.
             auto* window = new AlbumWindow(context, album, &c.window);
             window->setAttribute(Qt::WA_DeleteOnClose);
             QObject::connect(window, &AlbumWindow::albumSelected, &c.window,
                              [&c](const freedb::AlbumInfo& chosen) {
                                  c.gui.document.editSelected(
                                      EditDocument::commandName(ids::kMenuGetCdInfo),
                                      [&] { freedb::ApplyAlbumToFiles(chosen, c.gui.list); });
                              });
             window->open();
         },
         [&c] { return core::canEditSelected(c.gui.list); }});
}

}  // namespace tw::gui
