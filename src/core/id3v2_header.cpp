#include "core/id3v2_header.h"

#include <taglib/id3v2synchdata.h>
#include <taglib/tbytevector.h>

#include <algorithm>

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

TagLib::ByteVector tagForTagLib(const Id3v2Header& header, std::span<const std::uint8_t> tag) {
    if (header.majorVersion != 3 || !header.hasExtendedHeader() || tag.size() < Id3v2Header::kSize)
        return TagLib::ByteVector(reinterpret_cast<const char*>(tag.data()),
                                  static_cast<unsigned int>(tag.size()));

    const std::size_t bodyEnd = static_cast<std::size_t>(
        std::min<std::uint64_t>(tag.size(), Id3v2Header::kSize + header.bodySize));
    TagLib::ByteVector body(reinterpret_cast<const char*>(tag.data()) + Id3v2Header::kSize,
                            static_cast<unsigned int>(bodyEnd - Id3v2Header::kSize));
    if (header.unsynchronised())
        body = TagLib::ID3v2::SynchData::decode(body);

    // The extended header's size field counts the bytes behind itself (6 or 10).
    std::uint64_t skip = body.size();
    if (body.size() >= 4)
        skip = std::min<std::uint64_t>(body.size(), 4 + body.toUInt(0U, true));
    const auto frames = body.mid(static_cast<unsigned int>(skip));

    TagLib::ByteVector out(reinterpret_cast<const char*>(tag.data()), 5);
    out.append(static_cast<char>(header.flags & ~0xC0));  // no extended header, no unsync
    out.append(TagLib::ID3v2::SynchData::fromUInt(frames.size()));
    out.append(frames);
    return out;
}

std::uint64_t framesEnd(const Id3v2Header& header, std::span<const std::uint8_t> tag) {
    const std::size_t bodyEnd = static_cast<std::size_t>(
        std::min<std::uint64_t>(tag.size(), Id3v2Header::kSize + header.bodySize));
    std::size_t pos = Id3v2Header::kSize;
    auto word = [&](std::size_t at) {
        return TagLib::ByteVector(reinterpret_cast<const char*>(tag.data()) + at, 4);
    };
    if (header.hasExtendedHeader() && pos + 4 <= bodyEnd) {
        pos += header.majorVersion == 3 ? 4 + std::size_t{word(pos).toUInt(0U, true)}
                                        : std::size_t{TagLib::ID3v2::SynchData::toUInt(word(pos))};
        if (pos > bodyEnd)
            return bodyEnd;
    }
    if (header.unsynchronised() && header.majorVersion < 4)
        return pos;

    const std::size_t idLength = header.majorVersion == 2 ? 3 : 4;
    const std::size_t headerLength = header.majorVersion == 2 ? 6 : 10;
    while (pos + headerLength <= bodyEnd) {
        for (std::size_t i = 0; i < idLength; ++i) {
            const std::uint8_t c = tag[pos + i];
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
                return pos;
        }
        std::uint64_t size = 0;
        if (header.majorVersion == 2)
            size = (std::uint64_t{tag[pos + 3]} << 16) | (std::uint64_t{tag[pos + 4]} << 8) |
                   tag[pos + 5];
        else if (header.majorVersion == 3)
            size = word(pos + 4).toUInt(0U, true);
        else
            size = TagLib::ID3v2::SynchData::toUInt(word(pos + 4));
        if (pos + headerLength + size > bodyEnd)
            return pos;
        pos += headerLength + static_cast<std::size_t>(size);
    }
    return pos;
}

}  // namespace tw::core
