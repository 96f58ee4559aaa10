// SPDX-License-Identifier: GPL-2.0-or-later
// freedb lookup|read|sites|stat|search|submit: the CDDB client from the shell. The operation
// log goes to the error stream; results to the standard output.

#include <array>

#include "cli/commands.h"
#include "cli/freedb_options.h"
#include "cli/freedb_subcommands.h"

namespace tw::cli {

namespace {

constexpr auto kOptions = [] {
    std::array<OptionSpec, kConnectionOptions.size() + 3> options{};
    std::size_t i = 0;
    for (const OptionSpec& option : kConnectionOptions)
        options[i++] = option;
    options[i++] = {"apply", true};
    options[i++] = {"fields", true};
    options[i++] = {"category", true};
    return options;
}();

struct Subcommand {
    std::string_view name;
    int (*run)(CommandContext&, const Args&, const freedb::StoreConfig&);
};

constexpr std::array kSubcommands = {
    Subcommand{"lookup", freedbLookup}, Subcommand{"read", freedbRead},
    Subcommand{"sites", freedbSites},   Subcommand{"stat", freedbStat},
    Subcommand{"search", freedbSearch}, Subcommand{"submit", freedbSubmit},
};

int run(CommandContext& context, const Args& args) {
    if (args.positional().empty())
        return usageProblem(context, "give a sub-command");
    const std::string& name = args.positional().front();
    for (const Subcommand& subcommand : kSubcommands) {
        if (subcommand.name != name)
            continue;
        std::string error;
        const auto config = cliStoreConfig(args, error);
        if (!config)
            return usageProblem(context, error);
        return subcommand.run(context, args, *config);
    }
    return usageProblem(context, "unknown sub-command " + name);
}

}  // namespace

const Command kFreeDbCommand{
    .name = "freedb",
    .synopsis =
        "freedb lookup FILE... [--apply N] | read CATEGORY DISCID | sites | stat\n"
        "      | search WORDS... [--fields artist,title,track,rest] | submit FILE.xmcd [--category "
        "C]\n"
        "      connection: [--server HOST:PORT] [--http] [--proxy HOST:PORT]\n"
        "      [--proxy-user USER[:PASSWORD]] [--timeout SECONDS] [--log full] [--web HOST:PORT]",
    .summary =
        "the CDDB client: look files up as an album (and apply match N), read a record, "
        "servers, statistics, web search, submission",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
