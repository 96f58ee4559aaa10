// The "Help" menu. The help pages and the web site come with the shell integration; until
// then only the About dialog works here.
#include "base/string_ids.h"
#include "gui/app/shell_port.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/commands/command_set.h"

namespace tw::gui {

void defineHelpCommands(CommandSet& commands, CommandContext& c) {
    commands.define(base::ids::kCmdAbout, {[&c] { c.shell.showAbout(); }});
}

}  // namespace tw::gui
