// SPDX-License-Identifier: GPL-2.0-or-later
// The stored levels of the album tree, as anyone may have edited them in the settings file:
// reading them never fails hard, and what is read is a sound format (known levels, none
// twice, the chosen ones first) that stores and reads back the same.

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "base/memory_settings_store.h"
#include "freedb/album_tree_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::freedb;
    tw::base::MemorySettingsStore store;
    store.setBinary("FreeDB", "TreeFormat", std::vector<std::uint8_t>(data, data + size));
    const TreeFormat format = TreeFormat::load(store);
    const std::vector<TreeLevel> chosen = format.chosen();
    const std::set<TreeLevel> distinct(chosen.begin(), chosen.end());
    const bool known = std::all_of(chosen.begin(), chosen.end(), [](TreeLevel level) {
        return std::find(TreeFormat::kAllLevels.begin(), TreeFormat::kAllLevels.end(), level) !=
               TreeFormat::kAllLevels.end();
    });
    const bool closedUp = std::equal(chosen.begin(), chosen.end(), format.levels.begin());
    tw::base::MemorySettingsStore again;
    format.save(again);
    if (distinct.size() != chosen.size() || !known || !closedUp ||
        !(TreeFormat::load(again) == format))
        std::abort();
    return 0;
}
