// SPDX-License-Identifier: GPL-2.0-or-later
// FileList::reorder: the records in a new order at once, for sorting.

#include <vector>

#include "core/file_list.h"

namespace tw::core {

bool FileList::reorder(const std::vector<int>& order) {
    if (order.size() != files_.size())
        return false;
    std::vector<bool> seen(files_.size(), false);
    for (int index : order) {
        if (!validIndex(index) || seen[static_cast<std::size_t>(index)])
            return false;
        seen[static_cast<std::size_t>(index)] = true;
    }
    std::vector<std::unique_ptr<AudioFile>> reordered;
    reordered.reserve(files_.size());
    for (int index : order)
        reordered.push_back(std::move(files_[static_cast<std::size_t>(index)]));
    files_ = std::move(reordered);
    rebuildChain();
    return true;
}

}  // namespace tw::core
