// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "cli/args.h"

namespace tw::base {
class UserPort;
}
namespace tw::core {
struct AppOptions;
}

namespace tw::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // some file could not be read or written
inline constexpr int kExitUsage = 2;   // the command line was wrong

// What a command works with; main() owns all of it for the run.
struct CommandContext {
    core::AppOptions& options;  // loaded from the user's settings; commands never save them
    base::UserPort& port;       // progress, questions and reports, on the error stream
    std::ostream& out;          // the command's result
    std::ostream& err;          // usage errors
};

// Reports a wrong command line on the error stream; main() adds the command's usage line.
inline int usageProblem(CommandContext& context, std::string_view message) {
    context.err << "tunewright-cli: " << message << '\n';
    return kExitUsage;
}

// One command of tunewright-cli. Each lives in a file of its own and is listed once in
// commands.cpp; main() parses the options the command declares and calls `run`.
struct Command {
    std::string_view name;
    std::string_view synopsis;  // the usage line, without the program name
    std::string_view summary;   // one line for the command list
    std::span<const OptionSpec> options;
    int (*run)(CommandContext& context, const Args& args);
    // It rolls back the interrupted saves itself and says what it did, so main() does not
    // first.
    bool rollsBackItself = false;
};

}  // namespace tw::cli
