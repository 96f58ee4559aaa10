// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tw::gui {

// The stored form of a list widget's column set: one binary settings value "LCM2-<set>"
// in the widget's own section.
//
// Layout, all numbers little-endian:
//   uint32  number of columns in the set
//   uint8   format version (kColumnLayoutVersion)
//   then per column, in the set's (model) order, three int32:
//     display position (0 = leftmost), width in pixels, visible (1) or hidden (0).
//
// Values come from a settings file anyone can edit: anything that is not exactly this
// (wrong size, another column count or version, positions that are not a permutation,
// widths out of range, every column hidden) reads as no layout, and the widget keeps its
// defaults.
struct ColumnState {
    std::int32_t position = 0;
    std::int32_t width = 0;
    bool visible = true;

    bool operator==(const ColumnState&) const = default;
};

inline constexpr std::uint8_t kColumnLayoutVersion = 1;
inline constexpr std::int32_t kMaxStoredColumnWidth = 10000;

// "LCM2-0", "LCM2-1", ...
std::string columnLayoutValueName(unsigned setIndex);

std::vector<std::uint8_t> encodeColumnLayout(std::span<const ColumnState> columns);
// The columns of a stored value that holds exactly `columnCount` columns; nothing when the
// value is not a sound layout of that many columns.
std::optional<std::vector<ColumnState>> decodeColumnLayout(std::span<const std::uint8_t> value,
                                                           std::size_t columnCount);
// The number of columns a stored value says it holds; 0 when it is too short to say.
std::size_t storedColumnCount(std::span<const std::uint8_t> value);

}  // namespace tw::gui
