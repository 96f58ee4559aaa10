// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::core {

struct AudioFile;

// With sub-folders listed, a record's fileName is relative to its own folder; these name it
// from the opened folder instead.

// The folder of `file` below `workFolder` (which ends with the separator), without a
// trailing separator: "Artist/Album"; empty for a file directly in it or outside it.
std::string_view relativeFolder(const AudioFile& file, std::string_view workFolder);

// "Artist/Album/a.mp3": relativeFolder and the file name; the fileName alone for a file
// outside `workFolder`.
std::string_view relativeName(const AudioFile& file, std::string_view workFolder);

}  // namespace tw::core
