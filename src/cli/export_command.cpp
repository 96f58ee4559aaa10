// SPDX-License-Identifier: GPL-2.0-or-later
// export DIR --html|--rtf --out PATH: writes the folder's file list as an HTML table or as
// RTF lines.

#include <array>

#include "base/qt/qsettings_store.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "cli/folder_selection.h"
#include "export/export_columns.h"
#include "export/list_export.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"html"},          OptionSpec{"rtf"},  OptionSpec{"out", true},
    OptionSpec{"columns", true}, OptionSpec{"open"}, kRecursiveOption,
};

int run(CommandContext& context, const Args& args) {
    bool conflict = false;
    const auto kind = documentKindOption(args, conflict);
    if (!kind || conflict)
        return usageProblem(context, "give one of --html and --rtf");
    const auto out = outputPathOption(args);
    if (!out)
        return usageProblem(context, "give the file to write with --out PATH");
    if (args.positional().size() > 1)
        return usageProblem(context, "the whole folder is exported: give only DIR");

    exports::ListExportRequest request{out->folder, out->fileName, {}};
    if (const std::string* text = args.value("columns")) {
        const auto columns = columnsOption(*text);
        if (!columns)
            return usageProblem(context, "--columns takes numbers 1..21 but 14, like 1,2,3");
        request.columns = *columns;
    } else {
        // The columns the user last checked in the program.
        request.columns = exports::ExportColumnFlags::load(base::QSettingsStore()).columns();
    }

    return writeFolderDocument(
        context, args, [&](const core::FileList& list, base::UserPort& port) {
            return *kind == exports::DocumentKind::Html ? exports::ExportHtml(list, request, port)
                                                        : exports::ExportRtf(list, request, port);
        });
}

}  // namespace

const Command kExportCommand{
    .name = "export",
    .synopsis =
        "export DIR --html|--rtf --out PATH [--columns 1,2,3...] [--open] "
        "[--recursive]",
    .summary =
        "write the folder's file list as an HTML table or RTF lines (columns 1 # 2 title 3 "
        "artist 4 album 5 year 6 genre 7 comment 8 composer 9 orig. artist 10 copyright 11 URL "
        "12 publisher 13 lyrics 15 file name 16 created 17 changed 18 size 19 play time 20 "
        "bitrate 21 channels; default: the columns last checked in the program)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
