// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tw::base {
class SettingsStore;
}

namespace tw::freedb {

class AlbumInfo;

// A level by which the album window's tree groups its albums ("TreeFormat").
enum class TreeLevel : std::int32_t { None = -1, Category = 1, Artist = 2, Album = 3, DiscId = 4 };

// The grouping of the album tree: up to four levels, in order, stored as the binary value
// "TreeFormat" of section "FreeDB" (four little-endian 32-bit numbers, -1 for an unused
// place). The last chosen level names the album nodes; the ones before it are grouping
// nodes. A plain value.
struct TreeFormat {
    static constexpr std::array<TreeLevel, 4> kAllLevels = {TreeLevel::Category, TreeLevel::Artist,
                                                            TreeLevel::Album, TreeLevel::DiscId};

    std::array<TreeLevel, 4> levels = {TreeLevel::Category, TreeLevel::Artist, TreeLevel::Album,
                                       TreeLevel::None};

    // The stored format. A value of another size, unknown numbers and repeated levels count
    // as unused places; the chosen levels close up in their order. A missing or unsound
    // value gives the default.
    static TreeFormat load(const base::SettingsStore& store);
    void save(base::SettingsStore& store) const;

    // The levels in use, in order.
    std::vector<TreeLevel> chosen() const;
    // Takes `chosen` (at most four, no repeats) as the levels in use.
    static TreeFormat of(const std::vector<TreeLevel>& chosen);

    bool operator==(const TreeFormat&) const = default;
};

// The text a level gives an album: its category, artist, title or disc id.
std::string TreeLevelText(const AlbumInfo& album, TreeLevel level);

}  // namespace tw::freedb
