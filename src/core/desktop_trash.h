// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "base/message.h"

namespace tw::core {

// Moving files to the desktop's trash, the way desktop file managers do, so that a deleted
// file can be put back from there:
//   - a file on the device of the user's data folder goes to the home trash,
//     $XDG_DATA_HOME/Trash (default ~/.local/share/Trash);
//   - a file on another device goes to the trash at the top of its mount: $top/.Trash/$uid
//     when $top/.Trash is a real folder with the sticky bit, else $top/.Trash-$uid.
// A trash holds the file under files/NAME and, beside it, info/NAME.trashinfo with the
// file's old path and the time of deletion. NAME is the file's own name, or "name.2.mp3",
// "name.3.mp3" ... when the trash holds that name already: the info file is created first
// and exclusively, and the file is renamed without ever replacing anything, so that two
// programs trashing at once never take the same name.
//
// A file is only ever renamed, never copied and unlinked: when no trash is on its device
// the move fails and the file stays.

// Moves `path` (absolute) to the trash. The reason when it could not.
[[nodiscard]] std::optional<base::Message> moveToTrash(const std::string& path);

// Moves `path` into the trash folder `trash` (created when missing), naming it in the info
// file as `infoPath`. The reason when it could not.
[[nodiscard]] std::optional<base::Message> moveIntoTrash(const std::string& trash,
                                                         const std::string& path,
                                                         std::string_view infoPath,
                                                         std::time_t when);

// The contents of the info file of a file trashed from `infoPath` at `when` (local time):
// the path escaped as in a URL (bytes outside letters, digits, "-._~/" as %XX).
std::string trashInfoText(std::string_view infoPath, std::time_t when);

// The n-th name tried for `fileName` in a trash (n from 1): the name itself, then "base.n.ext"
// (the extension is what follows the last dot, unless the name starts with it); "" for a
// name a trash cannot hold ("", ".", "..", or with a slash).
std::string trashName(std::string_view fileName, int n);

}  // namespace tw::core
