// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/search_history.h"

#include "base/settings_store.h"
#include "freedb/album_path_check.h"
#include "freedb/text_util.h"

namespace tw::freedb {

namespace {

constexpr const char* kSection = "FreeDB\\SearchHistory";
constexpr const char* kMissing = "NODATA";

std::string valueName(std::size_t index) {
    return "String" + std::to_string(index);
}

}  // namespace

SearchHistory SearchHistory::load(const base::SettingsStore& store) {
    SearchHistory history;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        const std::string text = store.getString(kSection, valueName(i), kMissing);
        if (text.empty() || text == kMissing)
            break;
        history.entries_.push_back({text, IsValidDiscId(text)});
    }
    return history;
}

void SearchHistory::save(base::SettingsStore& store) const {
    store.removeSection(kSection);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        store.setString(kSection, valueName(i), entries_[i].text);
}

void SearchHistory::push(std::string_view text) {
    if (Trim(text).empty())
        return;
    std::erase_if(entries_, [&](const Entry& entry) { return entry.text == text; });
    entries_.insert(entries_.begin(), {std::string(text), IsValidDiscId(text)});
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
}

}  // namespace tw::freedb
