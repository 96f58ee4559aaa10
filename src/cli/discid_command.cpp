// SPDX-License-Identifier: GPL-2.0-or-later
// discid FILE... | discid --seconds S1,S2,...: the disc id of the files (or play times) taken
// as the tracks of one disc, and the "cddb query" line that looks it up.

#include <array>
#include <charconv>

#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/file_records.h"
#include "core/file_list.h"
#include "freedb/album_files.h"
#include "freedb/album_info.h"
#include "freedb/cddb_protocol_store.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"seconds", true}};

// Records that carry only play times, in the given order, all selected.
bool recordsOfSeconds(const std::string& list, core::FileList& files) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        std::int32_t seconds = 0;
        const auto [rest, error] = std::from_chars(list.data() + start, list.data() + end, seconds);
        if (error != std::errc() || rest != list.data() + end || seconds < 0)
            return false;
        auto record = std::make_unique<core::AudioFile>();
        record->playSeconds = seconds;
        files.add(std::move(record));
        start = end + 1;
    }
    files.selectAll();
    return true;
}

int run(CommandContext& context, const Args& args) {
    core::FileList files;
    bool allRead = true;
    if (const std::string* seconds = args.value("seconds")) {
        if (!args.positional().empty())
            return usageProblem(context, "give files or --seconds");
        if (!recordsOfSeconds(*seconds, files))
            return usageProblem(context, "--seconds wants play times like 180,240");
    } else {
        if (args.positional().empty())
            return usageProblem(context, "give at least one file");
        allRead = readFiles(args.positional(), files, context.port);
    }
    freedb::AlbumInfo album;
    if (!freedb::BuildAlbumFromSelection(files, album, context.port))
        return kExitFailed;
    context.out << album.discId() << '\n' << freedb::CddbQueryCommand(album) << '\n';
    return allRead ? kExitOk : kExitFailed;
}

}  // namespace

const Command kDiscIdCommand{
    .name = "discid",
    .synopsis = "discid FILE... | discid --seconds S1,S2,...",
    .summary = "print the CDDB disc id of the files (or play times) as one disc, and its query",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
