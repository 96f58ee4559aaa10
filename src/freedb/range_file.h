// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw::freedb {

// The range files of the local database's Windows mode are named "<lo>to<hi>", two
// hexadecimal digits each ("00to0f"), and hold the records whose disc ids begin with a byte
// from lo to hi.
struct DiscIdRange {
    unsigned lo = 0;
    unsigned hi = 0;
    bool covers(unsigned leadingByte) const { return lo <= leadingByte && leadingByte <= hi; }
};

// The range a file name stands for; null for any other name.
std::optional<DiscIdRange> ParseRangeFileName(std::string_view name);

// The byte a disc id begins with (its first two hexadecimal digits); null when it has none.
std::optional<unsigned> LeadingByteOf(std::string_view discId);

// The name of the range file the program makes for a disc id: its first two characters,
// "to", the same two characters ("7a0b3c09" -> "7ato7a").
std::string RangeFileNameFor(std::string_view discId);

}  // namespace tw::freedb
