// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/usage.h"

#include "cli/commands.h"
#include "export/template_files.h"

namespace tw::cli {

void printUsage(std::ostream& out) {
    out << "usage: tunewright-cli [--yes] COMMAND [ARGS...]\n"
           "       tunewright-cli help | --help | --version\n"
           "\n"
           "  --yes   answer every question with yes (without it: no)\n"
           "\n"
           "commands:\n";
    for (const Command* command : allCommands())
        out << "  " << command->synopsis << "\n      " << command->summary << '\n';
    out << "\nexport templates (export-template --template NAME):\n";
    printTemplateNames(out, "  ");
    out << "\n"
           "Exit status: 0 success, 1 a file could not be read or written, 2 wrong usage.\n"
           "Settings (year, track and auto-fill options) are the user's Tunewright settings.\n";
}

void printTemplateNames(std::ostream& out, std::string_view indent) {
    for (const exports::DocumentKind kind :
         {exports::DocumentKind::Html, exports::DocumentKind::Rtf}) {
        for (const std::string& name : exports::templateList(kind))
            out << indent << name << '\n';
    }
}

}  // namespace tw::cli
