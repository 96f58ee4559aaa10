// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/file_failure.h"

namespace tw::base {
class UserPort;
}

namespace tw::rename {

// Shows the files a command could not rename or change, once, in the "Errors on file(s)
// modification" report, with the work folder and each file with its reason. Nothing is
// shown for an empty list.
void reportFailedFiles(base::UserPort& port, const std::string& workFolder,
                       const std::vector<core::FileFailure>& failed);

}  // namespace tw::rename
