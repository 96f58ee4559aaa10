// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "base/result.h"

namespace tw::core {

// A file an operation could not save or rename, and why.
struct FileFailure {
    std::string fileName;
    base::Message reason;
    bool operator==(const FileFailure&) const = default;
};

// Why the file system refused a step of a save: the string `formatId` (a "%s ... %s" format
// naming the step) with the path it was done to and the system's own text for `error`.
base::Message failureReason(int formatId, const std::string& path, std::error_code error);

// The same as a failure of the save's step on `path`, with the system's error.
base::Failure systemFailure(int formatId, const std::string& path, std::error_code error);

// The lines of the failed-files window, worded for it: "name: reason", one per failure.
std::vector<std::string> failureLines(const std::vector<FileFailure>& failures);

}  // namespace tw::core
