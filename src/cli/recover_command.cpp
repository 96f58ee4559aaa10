// SPDX-License-Identifier: GPL-2.0-or-later
// recover [FOLDER...] [--forget]: deals with the undo records that a roll-back after an
// interrupted save kept because their files were gone or changed.

#include <array>

#include "base/app_paths.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "core/undo_rollback.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"forget"}};

int run(CommandContext& context, const Args& args) {
    core::Recovery recovery{.elsewhere = {}, .forgetLeft = args.has("forget")};
    for (const std::string& folder : args.positional())
        recovery.elsewhere.emplace_back(folder);
    const core::RollBackOutcome outcome =
        core::rollBackJournals(base::appPaths().userStateFolder, recovery);
    for (const std::string& path : outcome.restored)
        context.out << "got back its old tags: " << path << '\n';
    for (const std::string& path : outcome.whole)
        context.out << "holds its new tags whole, nothing to undo: " << path << '\n';
    for (const std::string& path : outcome.forgotten)
        context.out << "undo data dropped: " << path << '\n';
    for (const core::FileFailure& left : outcome.left)
        context.port.showMessage(
            base::UserPort::Severity::Error,
            base::trf(base::ids::kFailedFileLine, left.fileName, base::worded(left.reason)));
    for (const std::string& kept : outcome.keptJournals)
        context.port.showMessage(base::UserPort::Severity::Warning,
                                 base::trf(base::ids::kRollBackJournalKept, kept));
    for (const std::string& kept : outcome.unappliedJournals)
        context.port.showMessage(base::UserPort::Severity::Warning,
                                 base::trf(base::ids::kRollBackUndoKept, kept));
    if (!outcome.unappliedJournals.empty())
        context.port.showMessage(base::UserPort::Severity::Information,
                                 base::tr(base::ids::kRollBackRecoverHint));
    const bool anything = !outcome.restored.empty() || !outcome.whole.empty() ||
                          !outcome.forgotten.empty() || !outcome.left.empty() ||
                          !outcome.keptJournals.empty();
    if (!anything)
        context.out << "no undo data is kept: nothing to recover\n";
    return outcome.left.empty() && outcome.keptJournals.empty() ? kExitOk : kExitFailed;
}

}  // namespace

const Command kRecoverCommand{
    .name = "recover",
    .synopsis = "recover [FOLDER...] [--forget]",
    .summary =
        "put back the old tags that an interrupted save kept for files since moved "
        "(looked for in their old folder and under each FOLDER); --forget drops the rest",
    .options = kOptions,
    .run = run,
    .rollsBackItself = true,
};

}  // namespace tw::cli
