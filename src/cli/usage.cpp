// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/usage.h"

#include "cli/commands.h"

namespace tw::cli {

void printUsage(std::ostream& out) {
    out << "usage: tunewright-cli [--yes] COMMAND [ARGS...]\n"
           "       tunewright-cli help\n"
           "\n"
           "  --yes   answer every question with yes (without it: no)\n"
           "\n"
           "commands:\n";
    for (const Command* command : allCommands())
        out << "  " << command->synopsis << "\n      " << command->summary << '\n';
    out << "\n"
           "Exit status: 0 success, 1 a file could not be read or written, 2 wrong usage.\n"
           "Settings (year, track and auto-fill options) are the user's Tunewright settings.\n";
}

}  // namespace tw::cli
