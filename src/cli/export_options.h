#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/args.h"
#include "export/file_name.h"

namespace tw::cli {

// The options the export commands share.

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

}  // namespace tw::cli
