// SPDX-License-Identifier: GPL-2.0-or-later
// clear --v1|--v2 FILE...: removes tags from files.

#include <array>

#include "cli/commands.h"
#include "cli/file_records.h"
#include "core/batch_tags.h"
#include "core/tag_save.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"v1"}, OptionSpec{"v2"}};

int run(CommandContext& context, const Args& args) {
    const bool v1 = args.has("v1");
    const bool v2 = args.has("v2");
    if (!v1 && !v2)
        return usageProblem(context, "give --v1, --v2 or both");
    if (args.positional().empty())
        return usageProblem(context, "give at least one file");

    core::FileList list;
    const bool allRead = readFiles(args.positional(), list, context.port);
    if (v1 && selectId3v1Holders(list, context.port))
        core::clearV1Selected(list);
    list.selectAll();
    if (v2)
        core::clearV2Selected(list);
    const bool allSaved = core::saveAll(list, context.port).empty();
    return allRead && allSaved ? kExitOk : kExitFailed;
}

}  // namespace

const Command kClearCommand{
    .name = "clear",
    .synopsis = "clear --v1|--v2 FILE...",
    .summary = "remove the ID3v1 and/or the ID3v2 tag (with its lyrics) from the files",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
