// SPDX-License-Identifier: GPL-2.0-or-later
// The "Export" menu: a playlist of the selected files, and the file list written as an HTML
// or RTF document, in a fixed layout or through a template. None of them changes the list;
// each writes one file.
#include "base/string_ids.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/export/export_sheet.h"
#include "gui/export/playlist_dialog.h"
#include "gui/mainwindow/main_window.h"

namespace tw::gui {

namespace ids = base::ids;
using exports::DocumentKind;

void defineExportCommands(CommandSet& commands, CommandContext& c) {
    // A playlist names the selected files, so it wants one at least.
    commands.define(ids::kCmdCreatePlaylist, {[&c] {
                                                  PlaylistDialog dialog(c.gui, c.shell, &c.window);
                                                  dialog.exec();
                                              },
                                              [&c] { return core::canEditSelected(c.gui.list); }});
    struct ExportCommand {
        int id;
        ExportSheetKind kind;
    };
    const ExportCommand exports[] = {
        {ids::kCmdExportHtml, {false, DocumentKind::Html}},
        {ids::kCmdExportTemplateHtml, {true, DocumentKind::Html}},
        {ids::kCmdExportRtf, {false, DocumentKind::Rtf}},
        {ids::kCmdExportTemplateRtf, {true, DocumentKind::Rtf}},
    };
    for (const ExportCommand& command : exports) {
        const ExportSheetKind kind = command.kind;
        commands.define(command.id,
                        {[&c, kind] { exportFileList(c.gui, c.shell, kind, &c.window); },
                         [&c] { return !c.gui.list.empty(); }});
    }
}

}  // namespace tw::gui
