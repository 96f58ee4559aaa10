// SPDX-License-Identifier: GPL-2.0-or-later
// case DIR --field F --mode N: changes the letter case of a field or of the file names.

#include <array>

#include "base/memory_settings_store.h"
#include "cli/commands.h"
#include "cli/folder_selection.h"
#include "cli/int_option.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/tag_save.h"
#include "rename/change_case_command.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"field", true}, OptionSpec{"mode", true}, OptionSpec{"files", true},
    OptionSpec{"dry-run"},     kRecursiveOption,
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

// What a run changes: for a field the new value; for a file name the name the file gets
// on disk (the extension keeps its case) — after the run the one it got, so that a rename
// that failed shows none.
void printChanges(std::ostream& out, const std::vector<rename::ChangeCaseRow>& rows, bool renames,
                  const core::FileList* renamed) {
    for (const rename::ChangeCaseRow& row : rows) {
        const std::string after =
            renamed   ? renamed->at(row.fileIndex).fileName
            : renames ? core::AudioFile::fileNameFor(row.after, core::keptExtension(row.before))
                      : row.after;
        if (row.before != after)
            out << row.before << " -> " << after << '\n';
    }
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
    const std::vector<rename::ChangeCaseRow> rows = command.rows();
    const bool renames = *target == rename::ChangeCaseTarget::FileName;
    if (args.has("dry-run") || !renames)
        printChanges(context.out, rows, renames, nullptr);
    if (args.has("dry-run"))
        return kExitOk;
    const rename::ChangeCaseOutcome outcome = command.run(context.port, context.options.workFolder);
    if (renames)
        printChanges(context.out, rows, renames, &list);
    bool ok = outcome.failed.empty();
    if (!renames)
        ok = core::saveAll(list, context.port).empty() && ok;
    return ok ? kExitOk : kExitFailed;
}

}  // namespace

const Command kCaseCommand{
    .name = "case",
    .synopsis =
        "case DIR --field title|artist|album|comment|filename --mode N [--files F...] "
        "[--dry-run] [--recursive]",
    .summary =
        "change the letter case of a field or of the file names (mode 0 Upper first "
        "letter, 1 Upper All First Letters, 2 lower all, 3 UPPER ALL, 4 iNVERT cASE)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
