// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli_harness.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli/terminal_user_port.h"
#include "core/app_options.h"
#include "support/file_text.h"
#include "support/shell_quote.h"

namespace tw::test {

CliOutcome runProgram(const std::vector<std::string>& args, const Environment& environment,
                      const std::filesystem::path& scratch,
                      const std::vector<std::string>& launcher) {
    std::string line;
    for (const std::string& word : launcher)
        line += shellQuoted(word) + " ";
    line += "env";
    for (const auto& [name, value] : environment)
        line += " " + name + "=" + shellQuoted(value);
    line += " " + shellQuoted(TW_CLI_PATH);
    for (const std::string& arg : args)
        line += " " + shellQuoted(arg);
    line += " >" + shellQuoted((scratch / "out").string()) + " 2>" +
            shellQuoted((scratch / "err").string()) + " </dev/null";
    const int raw = std::system(line.c_str());
    CliOutcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = fileText(scratch / "out");
    outcome.err = fileText(scratch / "err");
    return outcome;
}

CliOutcome runProgramAtHome(const std::vector<std::string>& args,
                            const std::filesystem::path& home) {
    const std::string folder = home.string();
    return runProgram(args,
                      {{"HOME", folder},
                       {"XDG_CONFIG_HOME", folder},
                       {"XDG_DATA_HOME", folder + "/data"},
                       {"XDG_STATE_HOME", folder + "/state"}},
                      home);
}

CliOutcome runCommand(const cli::Command& command, const std::filesystem::path& folder,
                      const std::vector<std::string>& extra, bool yes) {
    std::vector<std::string> words{folder.string()};
    words.insert(words.end(), extra.begin(), extra.end());
    std::string error;
    const auto args = cli::Args::parse(words, command.options, error);
    EXPECT_TRUE(args) << error;
    std::ostringstream out;
    std::ostringstream err;
    cli::TerminalUserPort port(err, yes, false);
    core::AppOptions options;
    cli::CommandContext context{options, port, out, err};
    CliOutcome outcome;
    outcome.status = args ? command.run(context, *args) : -1;
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

}  // namespace tw::test
