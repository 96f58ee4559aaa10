// SPDX-License-Identifier: GPL-2.0-or-later
// rename DIR --mask M: renames the files of a folder from their tags by a mask.

#include <array>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/folder_selection.h"
#include "cli/int_option.h"
#include "cli/rename_settings.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "rename/mask_validation.h"
#include "rename/renaming_command.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"mask", true},
    OptionSpec{"files", true},
    OptionSpec{"counter-start", true},
    OptionSpec{"counter-length", true},
    OptionSpec{"case", true},
    OptionSpec{"dry-run"},
    kRecursiveOption,
};

int run(CommandContext& context, const Args& args) {
    const std::string* mask = args.value("mask");
    if (!mask)
        return usageProblem(context, "give the mask with --mask");
    const auto start = intOption(args, "counter-start", 0, 0, rename::MaskList::kCounterStartMax);
    const auto length = intOption(args, "counter-length", 1, rename::MaskList::kCounterLengthMin,
                                  rename::MaskList::kCounterLengthMax);
    const auto caseMode = intOption(args, "case", 0, 0, 6);
    if (!start || !length || !caseMode)
        return usageProblem(context,
                            "--counter-start is 0..32767, --counter-length 1..6, --case 0..6");

    core::FileList list;
    if (const int status = loadFolderSelection(context, args, list); status != kExitOk)
        return status;

    // The command line keeps no settings: the mask list lives for this run only.
    base::MemorySettingsStore store = renameSettings();
    rename::RenamingCommand command(list, store);
    const rename::MaskCheck check = rename::ValidateMask(*mask, command.permissions());
    if (!check.valid)
        return usageProblem(context, rename::maskCheckMessage(check));
    rename::MaskList& masks = command.maskList();
    masks.setCurrentMask(*mask);
    masks.setCounterStart(*start);
    masks.setCounterLength(*length);
    masks.setCaseMode(static_cast<rename::CaseMode>(*caseMode));

    // Only files whose name changes are printed; failures go to the error stream, with why.
    if (args.has("dry-run")) {
        for (const rename::RenamePreviewRow& row : command.preview()) {
            const std::string after =
                core::AudioFile::fileNameFor(row.after, core::keptExtension(row.before));
            if (!after.empty() && after != row.before)
                context.out << row.before << " -> " << after << '\n';
        }
        return kExitOk;
    }
    std::vector<std::pair<int, std::string>> before;
    for (int index : list.selectedIndices())
        before.emplace_back(index, list.at(index).fileName);
    const rename::RenameOutcome outcome = command.run(context.port, context.options.workFolder);
    for (const auto& [index, name] : before) {
        if (list.at(index).fileName != name)
            context.out << name << " -> " << list.at(index).fileName << '\n';
    }
    return outcome.failed.empty() ? kExitOk : kExitFailed;
}

}  // namespace

const Command kRenameCommand{
    .name = "rename",
    .synopsis =
        "rename DIR --mask M [--files F...] [--counter-start N] [--counter-length N] "
        "[--case N] [--dry-run] [--recursive]",
    .summary =
        "rename the files from their tags by a mask, printing \"before -> after\" for each "
        "file renamed",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
