// SPDX-License-Identifier: GPL-2.0-or-later
// number DIR|FILE... [--start N] [--total] | --remove: the window's numbering commands.

#include <array>

#include "cli/commands.h"
#include "cli/file_records.h"
#include "cli/folder_selection.h"
#include "cli/int_option.h"
#include "core/batch_tags.h"
#include "core/tag_save.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"start", true}, OptionSpec{"total"},
                                 OptionSpec{"remove"}, kRecursiveOption};

int run(CommandContext& context, const Args& args) {
    const auto start = intOption(args, "start", 1, 1, 9999);
    if (!start)
        return usageProblem(context, "--start is a number from 1 to 9999");
    const bool remove = args.has("remove");
    if (remove && (args.has("start") || args.has("total")))
        return usageProblem(context, "--remove takes neither --start nor --total");
    if (args.positional().empty())
        return usageProblem(context, "give a folder or at least one file");

    core::FileList list;
    takeRecursiveOption(context, args);
    const bool allRead = readFilesOrFolder(args.positional(), list, context.options, context.port);
    if (remove)
        core::removeNumbering(list);
    else
        core::setNumbering(list, {.start = *start, .withTotal = args.has("total")});
    const bool allSaved = core::saveAll(list, context.port).empty();
    return allRead && allSaved ? kExitOk : kExitFailed;
}

}  // namespace

const Command kNumberCommand{
    .name = "number",
    .synopsis =
        "number DIR|FILE... [--start N] [--total] [--recursive] | number --remove DIR|FILE...",
    .summary =
        "number the tracks in list order from N (1); --total writes n/total in ID3v2; "
        "--remove empties the numbers",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
