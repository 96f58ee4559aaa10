// SPDX-License-Identifier: GPL-2.0-or-later
// undo [--dry-run]: puts back what the last save or rename batch changed.

#include <array>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "rename/last_change_undo.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"dry-run"}};

int run(CommandContext& context, const Args& args) {
    if (!args.positional().empty())
        return usageProblem(context, "undo takes no files: it undoes the last save or renaming");
    if (const base::Message why = rename::whyNothingToUndo(); !why.empty()) {
        context.port.showMessage(base::UserPort::Severity::Error, base::worded(why));
        return kExitFailed;
    }
    const bool dryRun = args.has("dry-run");
    const rename::LastChangeUndo undo = rename::undoLastChange(dryRun);
    if (undo.damaged) {
        context.port.showMessage(base::UserPort::Severity::Error,
                                 base::tr(base::ids::kUndoDamaged));
        return kExitFailed;
    }
    const bool names = undo.batch == core::KeptBatch::Rename;
    const char* done = dryRun ? (names ? "would get back its name: " : "would get back its tags: ")
                              : (names ? "got back its name: " : "got back its tags: ");
    for (const std::string& path : undo.outcome.putBack)
        context.out << done << path << '\n';
    for (const core::FileFailure& left : undo.outcome.left)
        context.port.showMessage(
            base::UserPort::Severity::Error,
            base::trf(base::ids::kFailedFileLine, left.fileName, base::worded(left.reason)));
    return undo.outcome.left.empty() ? kExitOk : kExitFailed;
}

}  // namespace

const Command kUndoCommand{
    .name = "undo",
    .synopsis = "undo [--dry-run]",
    .summary =
        "put back the tags the last save wrote, or the names the last renaming changed "
        "(--dry-run: say what it would put back)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
