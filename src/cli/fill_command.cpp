// SPDX-License-Identifier: GPL-2.0-or-later
// fill --v1-from-v2|--v2-from-v1 DIR|FILE...: the window's fill commands.

#include <array>

#include "cli/commands.h"
#include "cli/file_records.h"
#include "cli/folder_selection.h"
#include "core/batch_tags.h"
#include "core/tag_save.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"v1-from-v2"}, OptionSpec{"v2-from-v1"},
                                 kRecursiveOption};

int run(CommandContext& context, const Args& args) {
    const bool toV1 = args.has("v1-from-v2");
    if (toV1 == args.has("v2-from-v1"))
        return usageProblem(context, "give --v1-from-v2 or --v2-from-v1");
    if (args.positional().empty())
        return usageProblem(context, "give a folder or at least one file");

    core::FileList list;
    takeRecursiveOption(context, args);
    const bool allRead = readFilesOrFolder(args.positional(), list, context.options, context.port);
    if (selectId3v1Holders(list, context.port)) {
        if (toV1)
            core::fillV1FromV2Selected(list);
        else
            core::fillV2FromV1Selected(list);
    }
    const bool allSaved = core::saveAll(list, context.port).empty();
    return allRead && allSaved ? kExitOk : kExitFailed;
}

}  // namespace

const Command kFillCommand{
    .name = "fill",
    .synopsis = "fill --v1-from-v2|--v2-from-v1 DIR|FILE... [--recursive]",
    .summary = "fill the empty fields of one tag version from the other",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
