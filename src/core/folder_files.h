// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/result.h"

namespace tw::core {

// `path` as the program keeps and shows it: relative paths (from the command line) taken
// from the current folder, "." and ".." steps and doubled separators taken out, so that no
// path reads "dir/./a.mp3". An empty path stays empty.
std::string normalPath(const std::string& path);

// Appends the full paths of the audio files directly in `folder` (which ends with the
// separator; no sub-folders) to `paths`: the files isListedAudioName(name, mp3Only) takes,
// in natural order of their names (listsBefore): the directory's own order means nothing to
// a user. False when the folder cannot be read to its end; what could be read is there all
// the same.
[[nodiscard]] bool audioFilesIn(const std::string& folder, bool mp3Only,
                                std::vector<std::string>& paths);

// audioFilesIn, and with `subFolders` the names of the folders directly in `folder` (links
// to folders among them) appended to it in no particular order. The failure that ended the
// read early, naming the folder.
base::Outcome readFolder(const std::string& folder, bool mp3Only, std::vector<std::string>& paths,
                         std::vector<std::string>* subFolders);

}  // namespace tw::core
