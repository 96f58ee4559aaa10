// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/output_directory.h"

#include <filesystem>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"

namespace tw::exports {

namespace fs = std::filesystem;

namespace {

bool isDirectory(const std::string& directory) {
    std::error_code ec;
    return fs::is_directory(directory, ec);
}

}  // namespace

bool EnsureDirectory(const std::string& directory, bool ask, base::UserPort& port) {
    if (isDirectory(directory))
        return true;
    if (ask && port.askYesNo(base::trf(base::ids::kMsgCreateOutputDirectory, directory)) !=
                   base::UserPort::Answer::Yes)
        return false;
    return CreateDirectoryPath(directory);
}

bool CreateDirectoryPath(const std::string& directory) {
    if (directory.empty())
        return false;
    std::error_code ec;
    fs::create_directories(directory, ec);
    return isDirectory(directory);
}

}  // namespace tw::exports
