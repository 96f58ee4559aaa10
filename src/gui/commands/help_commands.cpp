// SPDX-License-Identifier: GPL-2.0-or-later
// The "Help" menu: the help pages, the hot keys, the web site and the About dialog.
#include "base/string_ids.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/hot_keys_page.h"
#include "gui/common/shell_port.h"
#include "gui/mainwindow/main_window.h"
#include "gui/product.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/desktop_open.h"
#include "gui/shell/desktop_port.h"
#include "gui/shell/help_pages.h"

namespace tw::gui {

namespace ids = base::ids;

void defineHelpCommands(CommandSet& commands, CommandContext& c) {
    // F1 of the main window (the other windows have theirs from HelpKey).
    commands.define(ids::kCmdHelp,
                    {[&c] { openHelpPage(c.desktop.port, c.desktop.user, help::kIntroduction); }});
    commands.define(ids::kCmdHotKeys, {[&c, &commands] {
                        openHotKeysPage(c.desktop,
                                        [&commands](int id) { return commands.isDefined(id); });
                    }});
    commands.define(ids::kCmdVisitWebSite, {[&c] {
                        openOnDesktop(c.desktop.port, c.desktop.user, QUrl(productWebPage()));
                    }});
    commands.define(ids::kCmdAbout, {[&c] { c.shell.showAbout(); }});
}

}  // namespace tw::gui
