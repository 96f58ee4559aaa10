// SPDX-License-Identifier: GPL-2.0-or-later
// delete FILE... [--yes]: moves files to the desktop's trash.

#include <array>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/file_records.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"yes"}};

int run(CommandContext& context, const Args& args) {
    if (args.positional().empty())
        return usageProblem(context, "give at least one file");
    core::FileList list;
    const bool allRead = readFiles(args.positional(), list, context.port);
    if (list.empty())
        return kExitFailed;
    if (!args.has("yes") && context.port.askYesNo(base::tr(base::ids::kMsgConfirmDeleteFiles)) !=
                                base::UserPort::Answer::Yes) {
        context.port.showMessage(base::UserPort::Severity::Error, "nothing was deleted");
        return kExitFailed;
    }
    const std::vector<core::FileFailure> failed = list.removeSelected(true);
    for (const core::FileFailure& failure : failed)
        context.port.showMessage(
            base::UserPort::Severity::Error,
            base::trf(base::ids::kFailedFileLine, failure.fileName, base::worded(failure.reason)));
    return allRead && failed.empty() ? kExitOk : kExitFailed;
}

}  // namespace

const Command kDeleteCommand{
    .name = "delete",
    .synopsis = "delete FILE... [--yes]",
    .summary = "move the files to the desktop's trash (asks first unless --yes)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
