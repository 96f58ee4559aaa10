// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/bytes.h"

namespace tw::test {

// ID3v2 tags shaped the way files from the wild and other tag libraries' test suites have
// them: damaged or unusual. Each comes with what a tolerant reader shows of it, and with
// whether a save that edits the comment can keep every other frame.
struct DamagedTag {
    std::string name;
    Bytes tag;
    std::string title;  // what reading shows
    std::string artist;
    // Empty when such a save keeps every frame it does not edit; else the id (as the walk
    // prints it) that a save names when it refuses, as it would lose what lies there.
    std::string unkept;
    // For a v2.2 tag, which is saved as v2.3: the v2.3 id each v2.2 id becomes.
    std::vector<std::pair<std::string, std::string>> upgradedIds;
    // For a tag whose frame sizes are stored wrongly: the same tag stored right, which is
    // what a save writes.
    Bytes storedRight{};
};

std::vector<DamagedTag> damagedTags();

}  // namespace tw::test
