// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/commands.h"

namespace tw::cli {

namespace {
// A new command: its file, its declaration in commands.h and one line here.
const Command* const kCommands[] = {
    &kListCommand,    &kShowCommand,           &kSetCommand,     &kClearCommand,
    &kNumberCommand,  &kFillCommand,           &kPictureCommand, &kDeleteCommand,
    &kRenameCommand,  &kFillFromNameCommand,   &kCaseCommand,    &kPlaylistCommand,
    &kExportCommand,  &kExportTemplateCommand, &kDiscIdCommand,  &kFreeDbCommand,
    &kLocalDbCommand, &kCdPlayerCommand,       &kUndoCommand,    &kRecoverCommand,
};
}  // namespace

std::span<const Command* const> allCommands() {
    return kCommands;
}

const Command* findCommand(std::string_view name) {
    for (const Command* command : kCommands)
        if (command->name == name)
            return command;
    return nullptr;
}

}  // namespace tw::cli
