// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::base {
class UserPort;
}

namespace tw::exports {

// Makes sure the folder `directory` exists. When it does not and `ask` is set, the user is
// asked first ("The output directory %s does not exist ..."); No leaves it missing. True
// when the folder exists at the end.
[[nodiscard]] bool EnsureDirectory(const std::string& directory, bool ask, base::UserPort& port);

// Creates the folder with any missing parents; true when it exists at the end (false when
// some part of the path is a file or may not be created).
[[nodiscard]] bool CreateDirectoryPath(const std::string& directory);

}  // namespace tw::exports
