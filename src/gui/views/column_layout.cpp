// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/column_layout.h"

namespace tw::gui {

namespace {

constexpr std::size_t kHeaderSize = 5;
constexpr std::size_t kColumnSize = 12;

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t getU32(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
    return value;
}

}  // namespace

std::string columnLayoutValueName(unsigned setIndex) {
    return "LCM2-" + std::to_string(setIndex);
}

std::vector<std::uint8_t> encodeColumnLayout(std::span<const ColumnState> columns) {
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + kColumnSize * columns.size());
    putU32(out, static_cast<std::uint32_t>(columns.size()));
    out.push_back(kColumnLayoutVersion);
    for (const ColumnState& column : columns) {
        putU32(out, static_cast<std::uint32_t>(column.position));
        putU32(out, static_cast<std::uint32_t>(column.width));
        putU32(out, column.visible ? 1u : 0u);
    }
    return out;
}

std::size_t storedColumnCount(std::span<const std::uint8_t> value) {
    return value.size() < kHeaderSize ? 0 : getU32(value, 0);
}

std::optional<std::vector<ColumnState>> decodeColumnLayout(std::span<const std::uint8_t> value,
                                                           std::size_t columnCount) {
    if (columnCount == 0 || value.size() != kHeaderSize + kColumnSize * columnCount ||
        getU32(value, 0) != columnCount || value[4] != kColumnLayoutVersion)
        return std::nullopt;

    std::vector<ColumnState> columns(columnCount);
    std::vector<bool> placeTaken(columnCount, false);
    bool anyVisible = false;
    for (std::size_t i = 0; i < columnCount; ++i) {
        const std::size_t at = kHeaderSize + kColumnSize * i;
        const std::uint32_t position = getU32(value, at);
        const std::uint32_t width = getU32(value, at + 4);
        const std::uint32_t visible = getU32(value, at + 8);
        if (position >= columnCount || placeTaken[position] ||
            width > static_cast<std::uint32_t>(kMaxStoredColumnWidth) || visible > 1)
            return std::nullopt;
        placeTaken[position] = true;
        anyVisible = anyVisible || visible == 1;
        columns[i] = {static_cast<std::int32_t>(position), static_cast<std::int32_t>(width),
                      visible == 1};
    }
    if (!anyVisible)
        return std::nullopt;
    return columns;
}

}  // namespace tw::gui
