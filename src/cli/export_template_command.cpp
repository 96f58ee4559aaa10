// SPDX-License-Identifier: GPL-2.0-or-later
// export-template DIR --template NAME|PATH --out PATH: writes the folder's file list
// through an export template.

#include <array>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "cli/folder_selection.h"
#include "cli/usage.h"
#include "export/template_export.h"
#include "export/template_files.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"template", true}, OptionSpec{"out", true}, OptionSpec{"html"}, OptionSpec{"rtf"},
    OptionSpec{"open"},           OptionSpec{"list"},      kRecursiveOption,
};

// The kind a template's name tells.
std::optional<exports::DocumentKind> kindOfName(const std::string& name) {
    if (base::endsWithNoCase(name, ".rtf"))
        return exports::DocumentKind::Rtf;
    if (base::endsWithNoCase(name, ".html") || base::endsWithNoCase(name, ".htm"))
        return exports::DocumentKind::Html;
    return std::nullopt;
}

struct ListedTemplate {
    std::string name;
    exports::DocumentKind kind;
};

// The program's templates a name given on the command line means: those listed under that
// name, with or without their extension, of the kind given or of both kinds.
std::vector<ListedTemplate> listedTemplates(const std::string& name,
                                            std::optional<exports::DocumentKind> kind) {
    std::vector<ListedTemplate> found;
    for (const exports::DocumentKind each :
         {exports::DocumentKind::Html, exports::DocumentKind::Rtf}) {
        if (kind && *kind != each)
            continue;
        for (std::string& listed : exports::templateList(each)) {
            const std::size_t dot = listed.rfind('.');
            if (listed == name || std::string_view(listed).substr(0, dot) == name)
                found.push_back({std::move(listed), each});
        }
    }
    return found;
}

int run(CommandContext& context, const Args& args) {
    if (args.has("list")) {
        printTemplateNames(context.out, "");
        return kExitOk;
    }
    const std::string* given = args.value("template");
    if (!given || given->empty())
        return usageProblem(context, "give the template with --template NAME|PATH");
    bool conflict = false;
    std::optional<exports::DocumentKind> kind = documentKindOption(args, conflict);
    if (conflict)
        return usageProblem(context, "give at most one of --html and --rtf");
    // A name with a folder in it is a path of the user's; a plain name is one of the
    // program's templates (exports::templateList).
    const bool isPath = given->find('/') != std::string::npos;
    std::string name = *given;
    if (!isPath) {
        const std::vector<ListedTemplate> listed = listedTemplates(name, kind);
        if (listed.size() > 1)
            return usageProblem(context, "there are templates " + listed[0].name + " and " +
                                             listed[1].name +
                                             ": give the whole name, or --html or --rtf");
        if (listed.size() == 1) {
            name = listed[0].name;
            kind = listed[0].kind;
        }
    }
    if (!kind)
        kind = kindOfName(name);
    if (!kind)
        return usageProblem(context, "say whether the template is --html or --rtf");
    const auto out = outputPathOption(args);
    if (!out)
        return usageProblem(context, "give the file to write with --out PATH");
    if (args.positional().size() > 1)
        return usageProblem(context, "the whole folder is exported: give only DIR");

    exports::TemplateExportRequest request{
        name, isPath ? std::filesystem::path(name) : exports::templateFilePath(name), out->folder,
        out->fileName};

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
    .synopsis =
        "export-template DIR --template NAME|PATH --out PATH [--html|--rtf] [--open] "
        "[--recursive] | --list",
    .summary =
        "write the folder's file list through a template: one of the program's templates "
        "(--list names them; the extension may be left out), or a path; the kind follows "
        "the template's extension",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
