// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/file_list.h"

namespace tw::core {

// The drop-down suggestions of the tag tabs' fields: the distinct ID3v1 values of each field
// over the whole list (in list order, empty values left out); Artist and Album also get the
// names of the first file's folder and of the folder above it, and Year the number such a
// name begins with ("1999 - Album" gives 1999; a leading 0 gives nothing).
struct TagSuggestions {
    std::vector<std::string> titles;
    std::vector<std::string> artists;
    std::vector<std::string> albums;
    std::vector<std::string> years;
    std::vector<std::string> comments;
};

TagSuggestions collectSuggestions(const FileList& list);

// The folder names a path lies in, innermost first, at most `count` of them:
// "/music/1999 - Live/a.mp3" gives "1999 - Live", "music".
std::vector<std::string> enclosingFolderNames(const std::string& path, int count);

}  // namespace tw::core
