// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/range_file.h"

namespace tw::freedb {

namespace {

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

std::optional<unsigned> hexByte(std::string_view two) {
    const auto high = hexDigit(two[0]);
    const auto low = hexDigit(two[1]);
    if (!high || !low)
        return std::nullopt;
    return *high * 16 + *low;
}

}  // namespace

std::optional<DiscIdRange> ParseRangeFileName(std::string_view name) {
    if (name.size() != 6 || name.substr(2, 2) != "to")
        return std::nullopt;
    const auto lo = hexByte(name.substr(0, 2));
    const auto hi = hexByte(name.substr(4, 2));
    if (!lo || !hi)
        return std::nullopt;
    return DiscIdRange{*lo, *hi};
}

std::optional<unsigned> LeadingByteOf(std::string_view discId) {
    if (discId.size() < 2)
        return std::nullopt;
    return hexByte(discId.substr(0, 2));
}

std::string RangeFileNameFor(std::string_view discId) {
    const std::string lead(discId.substr(0, 2));
    return lead + "to" + lead;
}

}  // namespace tw::freedb
