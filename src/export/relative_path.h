// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::core {
struct AudioFile;
}

namespace tw::exports {

// How a playlist names its files: by their paths relative to the playlist's folder.
// Paths use "/" and their components compare byte for byte (letter case counts).

// The length of the leading folders that two folder paths share: "/" is appended to both,
// then while each holds a "/" and the texts before their first "/" are equal, that text's
// length plus one counts and is removed from both. The root counts as one shared (empty)
// component of two absolute paths.
std::size_t CommonPrefixLength(std::string_view first, std::string_view second);

// The file's path relative to the folder of `playlistPath`: "a.mp3" beside it,
// "Rock/a.mp3" below it, "../Music/a.mp3" beside one of its parents. A file that shares no
// folder with the playlist but the root is named by its absolute path, so no entry ever
// climbs to the root and down again.
std::string MakeRelativePath(const core::AudioFile& file, std::string_view playlistPath);

}  // namespace tw::exports
