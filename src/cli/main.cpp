// SPDX-License-Identifier: GPL-2.0-or-later
// tunewright-cli: the engines from the shell. main() reads the global options, finds the
// command, parses its options and runs it with the user's settings.

#include <unistd.h>

#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/product_version.h"
#include "cli/commands.h"
#include "cli/terminal_user_port.h"
#include "cli/usage.h"
#include "cli/user_settings.h"
#include "core/app_options.h"
#include "core/undo_rollback.h"

namespace {

using namespace tw::cli;

int usageError(const std::string& message, const Command* command) {
    std::cerr << "tunewright-cli: " << message << '\n';
    if (command)
        std::cerr << "usage: tunewright-cli " << command->synopsis << '\n';
    else
        std::cerr << "run 'tunewright-cli help' for the commands\n";
    return kExitUsage;
}

// "--help" among a command's words asks for the usage as "help" does; after "--" it is a
// file name like any other.
bool asksForHelp(std::span<const std::string> words) {
    for (const std::string& word : words) {
        if (word == "--")
            return false;
        if (word == "--help")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    tw::base::initAppPaths(argc > 0 ? argv[0] : "");
    std::vector<std::string> words(argv + 1, argv + argc);
    bool assumeYes = false;
    std::size_t next = 0;
    for (; next < words.size() && words[next].starts_with("--"); ++next) {
        if (words[next] == "--yes") {
            assumeYes = true;
        } else if (words[next] == "--help") {
            printUsage(std::cout);
            return kExitOk;
        } else if (words[next] == "--version") {
            std::cout << "tunewright-cli " << tw::base::productVersion() << '\n';
            return kExitOk;
        } else {
            return usageError("unknown option " + words[next], nullptr);
        }
    }
    if (next == words.size()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (words[next] == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    const Command* command = findCommand(words[next]);
    if (!command)
        return usageError("unknown command " + words[next], nullptr);

    std::string error;
    const std::span<const std::string> rest(words.begin() + static_cast<long>(next) + 1,
                                            words.end());
    if (asksForHelp(rest)) {
        printUsage(std::cout);
        return kExitOk;
    }
    const auto args = Args::parse(rest, command->options, error);
    if (!args)
        return usageError(error, command);

    tw::core::AppOptions& options = tw::core::options();
    loadUserSettings(options);
    TerminalUserPort port(std::cerr, assumeYes, ::isatty(STDERR_FILENO) == 1);
    // A save that a kill cut off is undone before any command reads a file.
    if (!command->rollsBackItself)
        tw::core::rollBackInterruptedSaves(port);
    CommandContext context{options, port, std::cout, std::cerr};
    const int status = command->run(context, *args);
    if (status == kExitUsage)
        std::cerr << "usage: tunewright-cli " << command->synopsis << '\n';
    return status;
}
