// SPDX-License-Identifier: GPL-2.0-or-later
// list DIR: every audio file of a folder (or its tree), in the order of the folder scan.

#include <array>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/folder_selection.h"
#include "cli/output_format_option.h"
#include "cli/record_output.h"
#include "core/app_options.h"
#include "core/folder_files.h"
#include "core/folder_tree.h"
#include "core/mpeg_info.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"format", true}, kRecursiveOption};

int run(CommandContext& context, const Args& args) {
    const auto format = outputFormat(args, OutputFormat::Tsv);
    if (!format)
        return usageProblem(context, "--format is tsv or json");
    if (args.positional().size() != 1)
        return usageProblem(context, "give exactly one path");

    // The files are read as the folder scan reads them, and each record is written as soon
    // as it is read, so a folder of any size needs the memory of one record.
    core::SetCurrentFolder(context.options, core::normalPath(args.positional().front()));
    const std::string& folder = context.options.workFolder;
    std::vector<std::string> paths;
    takeRecursiveOption(context, args);
    if (!core::listedAudioFiles(folder, context.options, context.port, paths)) {
        context.port.showMessage(base::UserPort::Severity::Error,
                                 "cannot read the folder " + folder);
        return kExitFailed;
    }
    RecordWriter writer(context.out, *format, {.asList = true, .withInfoText = false});
    core::MpegInfo mpeg;
    bool allRead = true;
    for (const std::string& path : paths) {
        const auto file = core::AudioFile::create(path, path.rfind('/') + 1, mpeg);
        if (!file)
            continue;
        // A file that could not be read is named, not listed with fields it does not hold.
        if (file->unreadable()) {
            context.port.showMessage(base::UserPort::Severity::Error,
                                     base::trf(base::ids::kMsgCannotReadFile, file->path,
                                               base::worded(file->readFailure)));
            allRead = false;
            continue;
        }
        writer.write(*file);
    }
    return allRead ? kExitOk : kExitFailed;
}

}  // namespace

const Command kListCommand{
    .name = "list",
    .synopsis = "list DIR [--format tsv|json] [--recursive]",
    .summary =
        "print every audio file of a folder (MP3, FLAC, Ogg Vorbis, Opus, MP4) with its "
        "stream facts and tags (tsv)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
