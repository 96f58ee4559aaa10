#pragma once

#include <string>
#include <vector>

namespace tw::core {

// A file an operation could not save or rename, and why, as the user reads it.
struct FileFailure {
    std::string fileName;
    std::string reason;
    bool operator==(const FileFailure&) const = default;
};

// The lines of the failed-files window: "name: reason", one per failure.
std::vector<std::string> failureLines(const std::vector<FileFailure>& failures);

}  // namespace tw::core
