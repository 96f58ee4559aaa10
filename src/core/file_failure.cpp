#include "core/file_failure.h"

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::core {

std::vector<std::string> failureLines(const std::vector<FileFailure>& failures) {
    std::vector<std::string> lines;
    lines.reserve(failures.size());
    for (const FileFailure& failure : failures)
        lines.push_back(base::trf(base::ids::kFailedFileLine, failure.fileName, failure.reason));
    return lines;
}

}  // namespace tw::core
