// SPDX-License-Identifier: GPL-2.0-or-later
// fill-from-name DIR --mask M: fills tag fields from the file names by a mask.

#include <array>

#include "cli/commands.h"
#include "cli/folder_selection.h"
#include "cli/rename_settings.h"
#include "core/genre_table.h"
#include "core/tag_save.h"
#include "rename/filename_to_tag_command.h"
#include "rename/mask_validation.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"mask", true}, OptionSpec{"files", true}, OptionSpec{"v1"}, OptionSpec{"v2"},
    OptionSpec{"overwrite"},  OptionSpec{"dry-run"},     kRecursiveOption,
};

// Prints each field of `after` that differs from `before`, one line each.
void printChanges(std::ostream& out, const std::string& fileName, std::string_view tagName,
                  const core::TagFields& before, const core::TagFields& after) {
    const auto line = [&](std::string_view field, const std::string& was, const std::string& now) {
        if (was != now)
            out << fileName << ": " << tagName << ' ' << field << " = " << now << '\n';
    };
    line("title", before.title, after.title);
    line("artist", before.artist, after.artist);
    line("album", before.album, after.album);
    line("year", before.yearText, after.yearText);
    line("track", before.trackText, after.trackText);
    line("genre", std::string(core::genreNameOf(before)), std::string(core::genreNameOf(after)));
    line("comment", before.comment, after.comment);
}

int run(CommandContext& context, const Args& args) {
    const std::string* mask = args.value("mask");
    if (!mask)
        return usageProblem(context, "give the mask with --mask");
    const rename::MaskCheck check =
        rename::ValidateMask(*mask, rename::FilenameToTagCommand::permissions());
    if (!check.valid)
        return usageProblem(context, rename::maskCheckMessage(check));

    core::FileList list;
    if (const int status = loadFolderSelection(context, args, list); status != kExitOk)
        return status;

    base::MemorySettingsStore store = renameSettings();
    rename::FilenameToTagCommand command(list, store);
    const bool both = !args.has("v1") && !args.has("v2");
    command.setWriteV1(both || args.has("v1"));
    command.setWriteV2(both || args.has("v2"));
    command.setOverwrite(args.has("overwrite"));
    command.maskList().setCurrentMask(*mask);

    core::FileList filled = command.preview();
    const std::vector<int> chain = list.selectedIndices();
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const core::AudioFile& before = list.at(chain[i]);
        const core::AudioFile& after = filled.at(static_cast<int>(i));
        printChanges(context.out, before.fileName, "v1", before.id3v1, after.id3v1);
        printChanges(context.out, before.fileName, "v2", before.id3v2, after.id3v2);
        if (before.id3v2.composer != after.id3v2.composer)
            context.out << before.fileName << ": v2 composer = " << after.id3v2.composer << '\n';
    }
    if (args.has("dry-run") || !command.run())
        return kExitOk;
    return core::saveAll(list, context.port).empty() ? kExitOk : kExitFailed;
}

}  // namespace

const Command kFillFromNameCommand{
    .name = "fill-from-name",
    .synopsis =
        "fill-from-name DIR --mask M [--files F...] [--v1] [--v2] [--overwrite] [--dry-run] "
        "[--recursive]",
    .summary = "fill tag fields from the file names by a mask (both tags unless --v1 or --v2)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
