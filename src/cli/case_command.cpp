// SPDX-License-Identifier: GPL-2.0-or-later
// case DIR --field F --mode N: changes the letter case of a field or of the file names.

#include <array>

#include "base/memory_settings_store.h"
#include "cli/commands.h"
#include "cli/folder_selection.h"
#include "cli/int_option.h"
#include "core/app_options.h"
#include "core/tag_save.h"
#include "rename/change_case_command.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"field", true},
    OptionSpec{"mode", true},
    OptionSpec{"files", true},
    OptionSpec{"dry-run"},
};

std::optional<rename::ChangeCaseTarget> targetOf(const std::string* name) {
    using rename::ChangeCaseTarget;
    static constexpr std::pair<std::string_view, ChangeCaseTarget> kTargets[] = {
        {"title", ChangeCaseTarget::Title},       {"artist", ChangeCaseTarget::Artist},
        {"album", ChangeCaseTarget::Album},       {"comment", ChangeCaseTarget::Comment},
        {"filename", ChangeCaseTarget::FileName},
    };
    for (const auto& [text, target] : kTargets) {
        if (name && *name == text)
            return target;
    }
    return std::nullopt;
}

int run(CommandContext& context, const Args& args) {
    const auto target = targetOf(args.value("field"));
    if (!target)
        return usageProblem(context, "--field is title, artist, album, comment or filename");
    const auto mode = intOption(args, "mode", -1, 0, 4);
    if (!mode || *mode < 0)
        return usageProblem(context, "--mode is 0..4");

    core::FileList list;
    if (const int status = loadFolderSelection(context, args, list); status != kExitOk)
        return status;

    base::MemorySettingsStore store;
    rename::ChangeCaseCommand command(list, store, *target);
    command.setMode(static_cast<rename::ChangeCaseMode>(*mode));
    for (const rename::ChangeCaseRow& row : command.rows()) {
        if (row.before != row.after)
            context.out << row.before << " -> " << row.after << '\n';
    }
    if (args.has("dry-run"))
        return kExitOk;
    const rename::ChangeCaseOutcome outcome = command.run(context.port, context.options.workFolder);
    bool ok = outcome.failed.empty();
    if (*target != rename::ChangeCaseTarget::FileName)
        ok = core::saveAll(list, context.port).empty() && ok;
    return ok ? kExitOk : kExitFailed;
}

}  // namespace

const Command kCaseCommand{
    .name = "case",
    .synopsis =
        "case DIR --field title|artist|album|comment|filename --mode N [--files F...] "
        "[--dry-run]",
    .summary =
        "change the letter case of a field or of the file names (mode 0 Upper first "
        "letter, 1 Upper All First Letters, 2 lower all, 3 UPPER ALL, 4 iNVERT cASE)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
