// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace tw::core {

// A file an operation could not save or rename, and why, as the user reads it.
struct FileFailure {
    std::string fileName;
    std::string reason;
    bool operator==(const FileFailure&) const = default;
};

// Why the file system refused a save, as the user reads it: the two reasons everyone knows
// by name, else the system's own text under the string `fallbackId` (a "%s" format).
std::string failureReason(std::error_code error, int fallbackId);

// The lines of the failed-files window: "name: reason", one per failure.
std::vector<std::string> failureLines(const std::vector<FileFailure>& failures);

}  // namespace tw::core
