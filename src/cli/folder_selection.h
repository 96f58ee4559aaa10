// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/command.h"
#include "core/file_list.h"

namespace tw::cli {

// "--recursive", which every command that takes a folder accepts.
inline constexpr OptionSpec kRecursiveOption{"recursive"};

// Sets the option "Include sub-folders" from "--recursive": a script lists a folder's tree
// only when it asks, whatever the window's stored choice.
void takeRecursiveOption(CommandContext& context, const Args& args);

// The folder commands' common start: `DIR` as the first positional word is scanned into
// `list` (it becomes the work folder; its tree with "--recursive"), and the files named by
// "--files" and by any further positional words are selected; without names every file is.
// A name is a path relative to DIR, or a file name, or a path ending in one. Returns kExitOk, or
// the exit status to stop with after the problem was reported.
int loadFolderSelection(CommandContext& context, const Args& args, core::FileList& list);

}  // namespace tw::cli
