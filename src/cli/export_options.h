// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/command.h"
#include "export/file_name.h"

namespace tw::core {
class FileList;
}

namespace tw::cli {

// The options and the common end of the export commands.

// "--html" or "--rtf" (not both); nullopt when neither is given.
std::optional<exports::DocumentKind> documentKindOption(const Args& args, bool& conflict);

// "--out PATH" split into an absolute folder and a file name; nullopt when it is missing or
// names no file (empty, or ending with "/").
struct OutputPath {
    std::string folder;
    std::string fileName;
};
std::optional<OutputPath> outputPathOption(const Args& args);

// "--columns 1,2,3": export column numbers 1..21 but 14, ascending and each once; nullopt
// for anything else.
std::optional<std::vector<int>> columnsOption(const std::string& text);

// Writes one document of the folder's files and returns the path written, or nullopt.
using DocumentWriter =
    std::function<std::optional<std::string>(const core::FileList&, base::UserPort&)>;

// The export commands' common end: the folder selection is loaded (loadFolderSelection),
// `write` writes it through a port that also opens the document when "--open" is given, and
// the path written is printed. kExitFailed when nothing was written.
int writeFolderDocument(CommandContext& context, const Args& args, const DocumentWriter& write);

}  // namespace tw::cli
