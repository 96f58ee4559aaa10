// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tw::core {

// The ten-byte header of an ID3v2 tag at the start of a file, and where the tag ends.
struct Id3v2Header {
    static constexpr std::size_t kSize = 10;

    std::uint8_t majorVersion = 0;  // 2, 3 or 4
    std::uint8_t flags = 0;
    std::uint32_t bodySize = 0;  // the size the header declares (without header/footer)

    bool unsynchronised() const { return flags & 0x80; }
    bool hasExtendedHeader() const { return majorVersion >= 3 && (flags & 0x40); }
    bool hasFooter() const { return majorVersion == 4 && (flags & 0x10); }
    // Header, body and footer, as the header declares them; the file may be shorter.
    std::uint64_t tagSize() const { return kSize + bodySize + (hasFooter() ? kSize : 0); }

    // The header at the start of `bytes`, when it is one this program reads: "ID3",
    // version 2..4, and a size of four seven-bit bytes.
    static std::optional<Id3v2Header> parse(std::span<const std::uint8_t> bytes);
};

// Tags larger than this are not read or rewritten: no real tag comes near it, and a
// damaged size must not make the program read a whole large file into memory.
inline constexpr std::uint64_t kId3v2ReadLimit = 64ull * 1024 * 1024;

}  // namespace tw::core
