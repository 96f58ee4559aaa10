// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_tree_format.h"

#include <algorithm>

#include "base/settings_store.h"
#include "freedb/album_info.h"

namespace tw::freedb {

namespace {

constexpr const char* kSection = "FreeDB";
constexpr const char* kValue = "TreeFormat";

bool isLevel(std::int32_t number) {
    return number >= static_cast<std::int32_t>(TreeLevel::Category) &&
           number <= static_cast<std::int32_t>(TreeLevel::DiscId);
}

}  // namespace

TreeFormat TreeFormat::load(const base::SettingsStore& store) {
    const std::vector<std::uint8_t> bytes = store.getBinary(kSection, kValue);
    if (bytes.size() != 16)
        return {};
    std::vector<TreeLevel> chosen;
    for (std::size_t i = 0; i < 4; ++i) {
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < 4; ++b)
            value |= static_cast<std::uint32_t>(bytes[i * 4 + b]) << (8 * b);
        const auto number = static_cast<std::int32_t>(value);
        const auto level = static_cast<TreeLevel>(number);
        if (isLevel(number) && std::find(chosen.begin(), chosen.end(), level) == chosen.end())
            chosen.push_back(level);
    }
    return of(chosen);
}

void TreeFormat::save(base::SettingsStore& store) const {
    std::vector<std::uint8_t> bytes;
    for (TreeLevel level : levels) {
        const auto value = static_cast<std::uint32_t>(static_cast<std::int32_t>(level));
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    store.setBinary(kSection, kValue, bytes);
}

std::vector<TreeLevel> TreeFormat::chosen() const {
    std::vector<TreeLevel> result;
    for (TreeLevel level : levels)
        if (level != TreeLevel::None)
            result.push_back(level);
    return result;
}

TreeFormat TreeFormat::of(const std::vector<TreeLevel>& chosen) {
    TreeFormat format;
    format.levels.fill(TreeLevel::None);
    std::copy_n(chosen.begin(), std::min<std::size_t>(chosen.size(), 4), format.levels.begin());
    return format;
}

std::string TreeLevelText(const AlbumInfo& album, TreeLevel level) {
    switch (level) {
        case TreeLevel::Category:
            return album.category();
        case TreeLevel::Artist:
            return album.artist();
        case TreeLevel::Album:
            return album.title();
        case TreeLevel::DiscId:
            return album.discId();
        case TreeLevel::None:
            break;
    }
    return {};
}

}  // namespace tw::freedb
