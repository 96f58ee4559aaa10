// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/failed_files_report.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"

namespace tw::rename {

void reportFailedFiles(base::UserPort& port, const std::string& workFolder,
                       const std::vector<core::FileFailure>& failed) {
    if (failed.empty())
        return;
    port.showFailedFilesIn(base::tr(base::ids::kFailedFilesCaption),
                           base::tr(base::ids::kFailedFilesWritePermissions), workFolder,
                           core::failureLines(failed));
}

}  // namespace tw::rename
