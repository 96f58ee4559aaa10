// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::gui {

class CommandSet;
struct CommandContext;

// The handlers of the main window's commands, one function per menu. Each gives its
// commands their work and their enabling and check rules; a command none of them defines
// stays disabled.
void defineFolderCommands(CommandSet& commands, CommandContext& context);
void defineFileCommands(CommandSet& commands, CommandContext& context);
void defineEditCommands(CommandSet& commands, CommandContext& context);
void defineTagCommands(CommandSet& commands, CommandContext& context);
// "Undo Last Save or Renaming" of the tags menu.
void defineUndoCommands(CommandSet& commands, CommandContext& context);
// "Get CD Info from FreeDB" of the tags menu.
void defineFreeDbCommands(CommandSet& commands, CommandContext& context);
// The "Export" menu: playlists and the exports of the file list.
void defineExportCommands(CommandSet& commands, CommandContext& context);
void defineSettingsCommands(CommandSet& commands, CommandContext& context);
void defineViewCommands(CommandSet& commands, CommandContext& context);
void defineLanguageCommands(CommandSet& commands, CommandContext& context);
void defineHelpCommands(CommandSet& commands, CommandContext& context);
// The folder tree's context menu.
void defineFolderTreeCommands(CommandSet& commands, CommandContext& context);

// All of the above.
void defineAllCommands(CommandSet& commands, CommandContext& context);

}  // namespace tw::gui
