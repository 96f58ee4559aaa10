// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/command.h"

namespace tw::test {

// What one run of a command gave: its exit status and both streams.
struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Environment variables for a run of the program, as (name, value).
using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs the built tunewright-cli with `args` as a script would: in its own process, with
// `environment` added, nothing on its input, started through `launcher` when given (as
// "setpriv --reuid=nobody ..."). Its output streams pass through the files "out" and "err"
// of `scratch`.
CliOutcome runProgram(const std::vector<std::string>& args, const Environment& environment,
                      const std::filesystem::path& scratch,
                      const std::vector<std::string>& launcher = {});

// runProgram with HOME, XDG_CONFIG_HOME, XDG_DATA_HOME (its "data" folder) and
// XDG_STATE_HOME (its "state" folder) in `home`, so the user's settings, data, trash and
// undo journals play no part.
CliOutcome runProgramAtHome(const std::vector<std::string>& args,
                            const std::filesystem::path& home);

// Runs `command` in this process on `folder` and the words `extra`, with the default options
// and the terminal's port, answering every question yes when `yes` is set. The words are
// expected to parse; a parse failure fails the test.
CliOutcome runCommand(const cli::Command& command, const std::filesystem::path& folder,
                      const std::vector<std::string>& extra, bool yes = false);

}  // namespace tw::test
