#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include <taglib/tbytevector.h>

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

// Where the frames of the tag end, from the tag start: the walk over the frame headers
// stops at padding (a zero byte), at a frame id that is none, or at a frame that would
// reach behind the tag body. Sizes are read as TagLib reads them. For a tag that is
// unsynchronised as a whole the result is only the end of its extended header.
std::uint64_t framesEnd(const Id3v2Header& header, std::span<const std::uint8_t> tag);

// Tags larger than this are not read or rewritten: no real tag comes near it, and a
// damaged size must not make the program read a whole large file into memory.
inline constexpr std::uint64_t kId3v2ReadLimit = 64ull * 1024 * 1024;

// The tag as TagLib should see it. TagLib misreads the extended header of a v2.3 tag and
// then finds no frame at all, so for such a tag this returns a copy without it (the body
// is de-unsynchronised first, as the extended header is part of it); every other tag is
// returned as it is. `tag` holds the whole tag, or as much of it as the file has.
TagLib::ByteVector tagForTagLib(const Id3v2Header& header, std::span<const std::uint8_t> tag);

}  // namespace tw::core
