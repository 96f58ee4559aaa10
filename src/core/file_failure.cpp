// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/file_failure.h"

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::core {

base::Message failureReason(int formatId, const std::string& path, std::error_code error) {
    return base::Message(formatId, path, error.message());
}

base::Failure systemFailure(int formatId, const std::string& path, std::error_code error) {
    return {path, failureReason(formatId, path, error), error};
}

std::vector<std::string> failureLines(const std::vector<FileFailure>& failures) {
    std::vector<std::string> lines;
    lines.reserve(failures.size());
    for (const FileFailure& failure : failures)
        lines.push_back(
            base::trf(base::ids::kFailedFileLine, failure.fileName, base::worded(failure.reason)));
    return lines;
}

}  // namespace tw::core
