// SPDX-License-Identifier: GPL-2.0-or-later
// localdb list | stats | delete CATEGORY DISCID: the local album database.

#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/freedb_options.h"
#include "cli/freedb_output.h"
#include "freedb/database_info_text.h"
#include "freedb/local_album_database.h"

namespace tw::cli {

namespace {

int run(CommandContext& context, const Args& args) {
    const std::vector<std::string>& words = args.positional();
    if (words.empty())
        return usageProblem(context, "give list, stats or delete");
    std::string error;
    const auto config = cliStoreConfig(args, error);
    if (!config)
        return usageProblem(context, error);
    freedb::LocalAlbumDatabase database(config->localDb);

    if (words[0] == "list" && words.size() == 1) {
        std::size_t number = 0;
        // A listing fails only when asked to stop, which the terminal never asks.
        (void)database.listAll([&](const freedb::AlbumInfo& album) {
            printAlbumLine(context.out, ++number, {freedb::FoundIn::LocalDatabase, album});
        });
        return kExitOk;
    }
    if (words[0] == "stats" && words.size() == 1) {
        freedb::LocalDbStatistics statistics;
        if (!database.getStatistics(statistics)) {
            context.port.showMessage(base::UserPort::Severity::Error,
                                     "cannot read the local database");
            return kExitFailed;
        }
        context.out << withLineFeeds(freedb::FormatLocalDbStatistics(statistics)) << '\n';
        return kExitOk;
    }
    if (words[0] == "delete" && words.size() == 3) {
        freedb::AlbumInfo album;
        album.setCategory(words[1]);
        album.setDiscId(words[2]);
        if (!database.remove(album)) {
            context.port.showMessage(base::UserPort::Severity::Error,
                                     "no album " + words[1] + " " + words[2] + " to delete");
            return kExitFailed;
        }
        return kExitOk;
    }
    return usageProblem(context, "give list, stats or delete CATEGORY DISCID");
}

}  // namespace

const Command kLocalDbCommand{
    .name = "localdb",
    .synopsis = "localdb list | stats | delete CATEGORY DISCID",
    .summary = "list the albums of the local album database, count them, or delete one",
    .options = {},
    .run = run,
};

}  // namespace tw::cli
