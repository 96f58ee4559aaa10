// show FILE: one file with all its fields and the information text.

#include <array>
#include <filesystem>

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

    std::error_code error;
    core::FileList list;
    core::ListSession session(list, context.options, context.port);
    if (!std::filesystem::is_regular_file(path, error) || !session.openFile(path, false)) {
        context.port.showMessage(base::UserPort::Severity::Error, "cannot read the file " + path);
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
