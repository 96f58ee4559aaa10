// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/string_table.h"

#include <algorithm>
#include <array>

namespace tw::base {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry kUnsorted[] = {
#define TW_STRING(name, id, text) {id, text},
#include "base/string_entries.inc"
#undef TW_STRING
};

constexpr std::size_t kCount = std::size(kUnsorted);

// The entries are listed by subject; lookups want them by id. Sorting at compile time keeps
// the list readable and the lookup a binary search.
constexpr std::array<Entry, kCount> sortedById() {
    std::array<Entry, kCount> entries{};
    std::copy(std::begin(kUnsorted), std::end(kUnsorted), entries.begin());
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.id < b.id; });
    return entries;
}

constexpr std::array<Entry, kCount> kEntries = sortedById();

constexpr bool idsAreUnique() {
    for (std::size_t i = 1; i < kEntries.size(); ++i)
        if (kEntries[i - 1].id == kEntries[i].id)
            return false;
    return true;
}
static_assert(idsAreUnique(), "two texts share one id in string_entries.inc");

}  // namespace

std::string_view builtinText(int id) {
    auto it = std::lower_bound(kEntries.begin(), kEntries.end(), id,
                               [](const Entry& e, int wanted) { return e.id < wanted; });
    return (it != kEntries.end() && it->id == id) ? it->text : std::string_view();
}

std::size_t builtinTextCount() {
    return kCount;
}

int builtinTextIdAt(std::size_t n) {
    return n < kCount ? kEntries[n].id : 0;
}

}  // namespace tw::base
