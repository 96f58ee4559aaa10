#include "cli/commands.h"

#include <array>

namespace tw::cli {

namespace {
// A new command: its file, its declaration in commands.h and one line here.
const std::array<const Command*, 11> kCommands = {
    &kListCommand,
    &kShowCommand,
    &kSetCommand,
    &kClearCommand,
    &kRenameCommand,
    &kFillFromNameCommand,
    &kCaseCommand,
    &kDiscIdCommand,
    &kFreeDbCommand,
    &kLocalDbCommand,
    &kCdPlayerCommand,
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
