// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw::base {
class SettingsStore;
}

namespace tw::freedb {

// The texts searched for in the album window, newest first, kept in section
// "FreeDB\SearchHistory" as "String0", "String1", ... Each entry knows whether it is a disc
// id (IsValidDiscId). A plain value.
class SearchHistory {
public:
    static constexpr std::size_t kMaxEntries = 25;

    struct Entry {
        std::string text;
        bool isDiscId = false;
        bool operator==(const Entry&) const = default;
    };

    // The stored texts up to the first missing or empty one ("NODATA" counts as missing).
    static SearchHistory load(const base::SettingsStore& store);
    // Replaces the stored list with this one.
    void save(base::SettingsStore& store) const;

    // Puts `text` at the top; an equal older entry goes, and the oldest beyond the limit.
    // Blank texts are not kept.
    void push(std::string_view text);

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace tw::freedb
