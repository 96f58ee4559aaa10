// SPDX-License-Identifier: GPL-2.0-or-later
// show FILE: one file with all its fields and the information text.

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
    const auto format = outputFormat(args, OutputFormat::Json);
    if (!format)
        return usageProblem(context, "--format is tsv or json");
    if (args.positional().size() != 1)
        return usageProblem(context, "give exactly one path");
    const std::string& path = args.positional().front();

    // A path that is no readable file gives a record that says why, never empty fields.
    core::FileList list;
    core::ListSession session(list, context.options, context.port);
    (void)session.openFile(path, false);  // a path it could not open is told below
    if (list.empty() || list.at(0).unreadable()) {
        const std::string& named = list.empty() ? path : list.at(0).path;
        const std::string why = list.empty() ? std::string() : base::worded(list.at(0).readFailure);
        context.port.showMessage(base::UserPort::Severity::Error,
                                 base::trf(base::ids::kMsgCannotReadFile, named, why));
        return kExitFailed;
    }
    RecordWriter writer(context.out, *format, {.asList = false, .withInfoText = true});
    writer.write(list.at(0));
    return kExitOk;
}

}  // namespace

const Command kShowCommand{
    .name = "show",
    .synopsis = "show FILE [--format json|tsv]",
    .summary = "print one file with all its fields and its information text (json)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
