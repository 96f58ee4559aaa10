// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/file_failure.h"

#include <cerrno>

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::core {

std::string failureReason(std::error_code error, int fallbackId) {
    namespace ids = base::ids;
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system || error == std::errc::text_file_busy)
        return base::tr(ids::kSaveNotWritable);
    if (error == std::errc::no_space_on_device || error.value() == EDQUOT)
        return base::tr(ids::kSaveDiskFull);
    return base::trf(fallbackId, error.message());
}

std::vector<std::string> failureLines(const std::vector<FileFailure>& failures) {
    std::vector<std::string> lines;
    lines.reserve(failures.size());
    for (const FileFailure& failure : failures)
        lines.push_back(base::trf(base::ids::kFailedFileLine, failure.fileName, failure.reason));
    return lines;
}

}  // namespace tw::core
