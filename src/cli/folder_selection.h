// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/command.h"
#include "core/file_list.h"

namespace tw::cli {

// The folder commands' common start: `DIR` as the first positional word is scanned into
// `list` (it becomes the work folder), and the files named by "--files" and by any further
// positional words are selected; without names every file is. Returns kExitOk, or the exit
// status to stop with after the problem was reported.
int loadFolderSelection(CommandContext& context, const Args& args, core::FileList& list);

}  // namespace tw::cli
