// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <span>
#include <string_view>

#include "cli/command.h"

namespace tw::cli {

// The commands of tunewright-cli, in the order the usage text lists them.
std::span<const Command* const> allCommands();
// The command called `name`; null when there is none.
const Command* findCommand(std::string_view name);

// The command files: each defines the one Command it implements.
extern const Command kListCommand;
extern const Command kShowCommand;
extern const Command kSetCommand;
extern const Command kClearCommand;
extern const Command kRenameCommand;
extern const Command kFillFromNameCommand;
extern const Command kCaseCommand;
extern const Command kPlaylistCommand;
extern const Command kExportCommand;
extern const Command kExportTemplateCommand;
extern const Command kDiscIdCommand;
extern const Command kFreeDbCommand;
extern const Command kLocalDbCommand;
extern const Command kCdPlayerCommand;
extern const Command kPictureCommand;
extern const Command kNumberCommand;
extern const Command kFillCommand;
extern const Command kDeleteCommand;
extern const Command kUndoCommand;
extern const Command kRecoverCommand;

}  // namespace tw::cli
