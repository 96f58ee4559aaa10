// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/user_port.h"
#include "core/app_options.h"
#include "core/file_list.h"

namespace tw::cli {

// Reads the named files into `list` (each once, whatever folder it lies in, by its
// normalised absolute path) and selects them all. A name that is not a readable file is
// reported through `port` with the reason and left out; false when that happened.
[[nodiscard]] bool readFiles(const std::vector<std::string>& paths, core::FileList& list,
                             base::UserPort& port);

// The same for the words of a command that takes "DIR|FILE...": one folder stands for its
// MP3 files in the order the window lists them (it becomes the work folder).
[[nodiscard]] bool readFilesOrFolder(const std::vector<std::string>& words, core::FileList& list,
                                     core::AppOptions& options, base::UserPort& port);

// Leaves selected only the files that can hold an ID3v1 tag (MPEG audio), for a command
// that edits it; every other file gets a line through `port` saying it is skipped, which
// is no failure. False when no file is left.
bool selectId3v1Holders(core::FileList& list, base::UserPort& port);

}  // namespace tw::cli
