// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/commands/command_handlers.h"

namespace tw::gui {

void defineAllCommands(CommandSet& commands, CommandContext& context) {
    defineFolderCommands(commands, context);
    defineFileCommands(commands, context);
    defineEditCommands(commands, context);
    defineTagCommands(commands, context);
    defineUndoCommands(commands, context);
    defineFreeDbCommands(commands, context);
    defineExportCommands(commands, context);
    defineSettingsCommands(commands, context);
    defineViewCommands(commands, context);
    defineLanguageCommands(commands, context);
    defineHelpCommands(commands, context);
    defineFolderTreeCommands(commands, context);
}

}  // namespace tw::gui
