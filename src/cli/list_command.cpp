// list DIR: every MP3 file of a folder, in the order of the folder scan.

#include <array>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/output_format_option.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_session.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {OptionSpec{"format", true}};

int run(CommandContext& context, const Args& args) {
    const auto format = outputFormat(args, OutputFormat::Tsv);
    if (!format)
        return usageProblem(context, "--format is tsv or json");
    if (args.positional().size() != 1)
        return usageProblem(context, "give exactly one path");

    core::FileList list;
    core::ListSession session(list, context.options, context.port);
    const bool readable = session.scanFolder(args.positional().front(), false);
    if (!readable) {
        context.port.showMessage(base::UserPort::Severity::Error,
                                 "cannot read the folder " + context.options.workFolder);
        return kExitFailed;
    }
    // A file that could not be read is named, not listed with fields it does not hold.
    RecordWriter writer(context.out, *format, {.asList = true, .withInfoText = false});
    bool allRead = true;
    for (int index = 0; index < list.size(); ++index) {
        const core::AudioFile& file = list.at(index);
        if (file.unreadable()) {
            context.port.showMessage(
                base::UserPort::Severity::Error,
                base::trf(base::ids::kMsgCannotReadFile, file.path, file.readFailure));
            allRead = false;
            continue;
        }
        writer.write(file);
    }
    return allRead ? kExitOk : kExitFailed;
}

}  // namespace

const Command kListCommand{
    .name = "list",
    .synopsis = "list DIR [--format tsv|json]",
    .summary = "print every MP3 file of a folder with its stream facts and tags (tsv)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
