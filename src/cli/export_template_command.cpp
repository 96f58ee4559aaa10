// SPDX-License-Identifier: GPL-2.0-or-later
// export-template DIR --template NAME|PATH --out PATH: writes the folder's file list
// through an export template.

#include <array>

#include "base/ascii.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "export/template_export.h"
#include "export/template_files.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"template", true}, OptionSpec{"out", true}, OptionSpec{"html"}, OptionSpec{"rtf"},
    OptionSpec{"open"},
};

// The kind a template's name tells.
std::optional<exports::DocumentKind> kindOfName(const std::string& name) {
    if (base::endsWithNoCase(name, ".rtf"))
        return exports::DocumentKind::Rtf;
    if (base::endsWithNoCase(name, ".html") || base::endsWithNoCase(name, ".htm"))
        return exports::DocumentKind::Html;
    return std::nullopt;
}

int run(CommandContext& context, const Args& args) {
    const std::string* name = args.value("template");
    if (!name || name->empty())
        return usageProblem(context, "give the template with --template NAME|PATH");
    bool conflict = false;
    std::optional<exports::DocumentKind> kind = documentKindOption(args, conflict);
    if (conflict)
        return usageProblem(context, "give at most one of --html and --rtf");
    if (!kind)
        kind = kindOfName(*name);
    if (!kind)
        return usageProblem(context, "say whether the template is --html or --rtf");
    const auto out = outputPathOption(args);
    if (!out)
        return usageProblem(context, "give the file to write with --out PATH");
    if (args.positional().size() > 1)
        return usageProblem(context, "the whole folder is exported: give only DIR");

    // A name with a folder in it is a path of the user's; a plain name is one of the
    // program's templates (exports::templateList).
    exports::TemplateExportRequest request{*name,
                                           name->find('/') != std::string::npos
                                               ? std::filesystem::path(*name)
                                               : exports::templateFilePath(*name),
                                           out->folder, out->fileName};

    return writeFolderDocument(context, args,
                               [&](const core::FileList& list, base::UserPort& port) {
                                   return *kind == exports::DocumentKind::Html
                                              ? exports::ExportTemplateHtml(list, request, port)
                                              : exports::ExportTemplateRtf(list, request, port);
                               });
}

}  // namespace

const Command kExportTemplateCommand{
    .name = "export-template",
    .synopsis = "export-template DIR --template NAME|PATH --out PATH [--html|--rtf] [--open]",
    .summary =
        "write the folder's file list through a template: a name from the program's "
        "templates folders, or a path; the kind follows the template's extension",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
