// SPDX-License-Identifier: GPL-2.0-or-later
// cdplayer list: the albums of the CD-player file.

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/freedb_options.h"
#include "cli/freedb_output.h"
#include "freedb/cd_player_ini_store.h"

namespace tw::cli {

namespace {

int run(CommandContext& context, const Args& args) {
    if (args.positional().size() != 1 || args.positional()[0] != "list")
        return usageProblem(context, "give list");
    std::string error;
    const auto config = cliStoreConfig(args, error);
    if (!config)
        return usageProblem(context, error);
    freedb::CdPlayerIniStore store(config->cdPlayerIni);
    if (!store.open()) {
        context.port.showMessage(
            base::UserPort::Severity::Error,
            base::trf(base::ids::kMsgCdPlayerIniNotFoundAt, config->cdPlayerIni.string()));
        return kExitFailed;
    }
    std::size_t number = 0;
    // A listing fails only when asked to stop, which the terminal never asks.
    (void)store.listAll([&](const freedb::AlbumInfo& album) {
        printAlbumLine(context.out, ++number, {freedb::FoundIn::CdPlayerIni, album});
    });
    return kExitOk;
}

}  // namespace

const Command kCdPlayerCommand{
    .name = "cdplayer",
    .synopsis = "cdplayer list",
    .summary = "list the albums of the CD-player file (CDPLAYER.INI in the config folder)",
    .options = {},
    .run = run,
};

}  // namespace tw::cli
