// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_header.h"

namespace tw::core {

std::optional<Id3v2Header> Id3v2Header::parse(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSize || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3')
        return std::nullopt;
    Id3v2Header header;
    header.majorVersion = bytes[3];
    if (header.majorVersion < 2 || header.majorVersion > 4 || bytes[4] == 0xFF)
        return std::nullopt;
    header.flags = bytes[5];
    for (std::size_t i = 6; i < 10; ++i) {
        if (bytes[i] & 0x80)
            return std::nullopt;
        header.bodySize = (header.bodySize << 7) | bytes[i];
    }
    return header;
}

}  // namespace tw::core
