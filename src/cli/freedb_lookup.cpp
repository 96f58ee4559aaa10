// SPDX-License-Identifier: GPL-2.0-or-later
// freedb lookup FILE... [--apply N]: the files as the tracks of one disc, looked up in the
// CD-player file, the local database and the CDDB server; with --apply, match N goes into
// the files' tags and the files are saved.

#include <charconv>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/file_records.h"
#include "cli/freedb_output.h"
#include "cli/freedb_subcommands.h"
#include "core/tag_save.h"
#include "freedb/album_files.h"
#include "freedb/lookup_job.h"
#include "freedb/stored_album.h"

namespace tw::cli {

namespace {

// The lookup's albums in the order of the sources.
std::vector<FoundAlbum> inSourceOrder(const std::vector<FoundAlbum>& found) {
    std::vector<FoundAlbum> ordered;
    for (freedb::FoundIn where :
         {freedb::FoundIn::CdPlayerIni, freedb::FoundIn::LocalDatabase, freedb::FoundIn::FreeDb})
        for (const FoundAlbum& album : found)
            if (album.where == where)
                ordered.push_back(album);
    return ordered;
}

// Stores the chosen album where the settings ask for the album the user selects, as the
// album window does; the store it came from keeps its own copy.
void storeSelected(CommandContext& context, const freedb::StoreConfig& config,
                   const FoundAlbum& chosen) {
    const freedb::StoreFactory stores(config, {}, [](std::string_view) {});
    const struct {
        bool wanted;
        freedb::StoreKind kind;
        freedb::FoundIn where;
        int failure;
    } targets[] = {
        {config.freedb.storeSelectedInCdPlayer, freedb::StoreKind::CdPlayerIni,
         freedb::FoundIn::CdPlayerIni, base::ids::kMsgWritingToCdPlayerFailed},
        {config.freedb.storeSelectedInLocalDb, freedb::StoreKind::LocalDatabase,
         freedb::FoundIn::LocalDatabase, base::ids::kMsgWritingToLocalDbFailed},
    };
    for (const auto& target : targets) {
        if (!target.wanted || target.where == chosen.where)
            continue;
        const auto store = stores.MakeStore(target.kind);
        if (!freedb::ReplaceStoredAlbum(*store, chosen.album))
            context.port.showMessage(base::UserPort::Severity::Error, base::tr(target.failure));
    }
}

}  // namespace

int freedbLookup(CommandContext& context, const Args& args, const freedb::StoreConfig& config) {
    const std::vector<std::string> paths(args.positional().begin() + 1, args.positional().end());
    if (paths.empty())
        return usageProblem(context, "give the files of the album");
    std::size_t applyNumber = 0;
    if (const std::string* apply = args.value("apply")) {
        const auto [end, error] =
            std::from_chars(apply->data(), apply->data() + apply->size(), applyNumber);
        if (error != std::errc() || end != apply->data() + apply->size() || applyNumber == 0)
            return usageProblem(context, "--apply wants the number of a listed album");
    }

    core::FileList files;
    if (!readFiles(paths, files, context.port))
        return kExitFailed;
    freedb::AlbumInfo album;
    if (!freedb::BuildAlbumFromSelection(files, album, context.port))
        return kExitFailed;

    CliJobObserver observer(context.err);
    freedb::LookupJob(config, observer, album).Wait();
    const std::vector<FoundAlbum> found = inSourceOrder(observer.found());
    for (std::size_t i = 0; i < found.size(); ++i)
        printAlbumLine(context.out, i + 1, found[i]);
    // A failed query (the log said why) applies nothing: the list may lack the server's part.
    if (applyNumber == 0 || !observer.success())
        return observer.success() ? kExitOk : kExitFailed;

    if (applyNumber > found.size())
        return usageProblem(context, "there is no album " + std::to_string(applyNumber));
    const FoundAlbum& chosen = found[applyNumber - 1];
    if (chosen.album.trackCount() == 0) {
        context.port.showMessage(
            base::UserPort::Severity::Error,
            "the tracks of album " + std::to_string(applyNumber) + " could not be retrieved");
        return kExitFailed;
    }
    storeSelected(context, config, chosen);
    freedb::ApplyAlbumToFiles(chosen.album, files);
    return core::saveAll(files, context.port).empty() ? kExitOk : kExitFailed;
}

}  // namespace tw::cli
