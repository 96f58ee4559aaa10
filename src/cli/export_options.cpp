// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/export_options.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "cli/folder_selection.h"
#include "cli/forwarding_user_port.h"
#include "core/file_list.h"
#include "export/export_columns.h"

namespace tw::cli {

std::optional<exports::DocumentKind> documentKindOption(const Args& args, bool& conflict) {
    conflict = args.has("html") && args.has("rtf");
    if (args.has("html"))
        return exports::DocumentKind::Html;
    if (args.has("rtf"))
        return exports::DocumentKind::Rtf;
    return std::nullopt;
}

std::optional<OutputPath> outputPathOption(const Args& args) {
    const std::string* out = args.value("out");
    if (!out || out->empty() || out->back() == '/')
        return std::nullopt;
    const std::filesystem::path path = std::filesystem::absolute(*out);
    return OutputPath{path.parent_path().string(), path.filename().string()};
}

std::optional<std::vector<int>> columnsOption(const std::string& text) {
    std::vector<int> columns;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t comma = std::min(rest.find(','), rest.size());
        const std::string_view word = rest.substr(0, comma);
        int index = 0;
        const auto [at, error] = std::from_chars(word.data(), word.data() + word.size(), index);
        if (error != std::errc() || at != word.data() + word.size() || index < 1 ||
            index > exports::kExportColumnCount || index == exports::kPictureColumn)
            return std::nullopt;
        columns.push_back(index);
        rest.remove_prefix(std::min(comma + 1, rest.size()));
    }
    if (columns.empty())
        return std::nullopt;
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    return columns;
}

int writeFolderDocument(CommandContext& context, const Args& args, const DocumentWriter& write) {
    core::FileList list;
    if (const int status = loadFolderSelection(context, args, list); status != kExitOk)
        return status;
    DocumentPort port(context.port, args.has("open"));
    const std::optional<std::string> written = write(list, port);
    if (!written)
        return kExitFailed;
    context.out << *written << '\n';
    return kExitOk;
}

}  // namespace tw::cli
