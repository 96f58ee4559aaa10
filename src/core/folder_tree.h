// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/message.h"

namespace tw::base {
class UserPort;
}

namespace tw::core {

struct AppOptions;

// A folder below the opened one that a tree listing did not read, and why.
struct SkippedFolder {
    enum class Why {
        ReachedAgain,  // a link loop, or a second link to a folder already read
        Unreadable,    // `reason` says why
        TooDeep,       // more than kMaxFolderDepth levels below the opened folder
    };
    Why why;
    std::string folder;
    base::Message reason;
};

// Deep enough for any library; a bound keeps a pathological tree from costing without end.
inline constexpr int kMaxFolderDepth = 64;

// Appends the full paths of the audio files of `folder` (which ends with the separator) and
// of every folder below it: each folder's own files in natural order of their names, then
// its sub-folders in natural order, each with its whole tree. Links to folders are
// followed, but a folder is read once however many ways lead to it, so a loop ends. Folders
// on other file systems are read like the rest: a library may well span disks. What is not
// read is appended to `skipped`. False when `folder` itself cannot be read.
[[nodiscard]] bool audioFilesInTree(const std::string& folder, bool mp3Only,
                                    std::vector<std::string>& paths,
                                    std::vector<SkippedFolder>& skipped);

// The audio files of `folder` as the options say (its whole tree with "Include
// sub-folders"); the folders skipped are told through port.showStatus, once for each kind.
// False when `folder` itself cannot be read.
[[nodiscard]] bool listedAudioFiles(const std::string& folder, const AppOptions& options,
                                    base::UserPort& port, std::vector<std::string>& paths);

// One line for each kind of skipped folder (how many, and the first), empty for none.
std::string skippedFoldersReport(const std::vector<SkippedFolder>& skipped);

}  // namespace tw::core
