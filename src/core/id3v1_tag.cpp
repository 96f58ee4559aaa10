// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v1_tag.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/id3v1_codec.h"

namespace tw::core {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The bytes of a field up to its first zero, without trailing blanks.
std::string_view fieldBytes(std::span<const std::uint8_t> tag, std::size_t offset,
                            std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(tag.data()) + offset, size);
    bytes = bytes.substr(0, bytes.find('\0'));
    while (!bytes.empty() && isBlank(bytes.back()))
        bytes.remove_suffix(1);
    return bytes;
}

void putText(Id3v1Bytes& tag, std::size_t offset, std::size_t size, std::string_view utf8) {
    const std::string bytes = encodeId3v1(utf8, size);
    std::memcpy(tag.data() + offset, bytes.data(), std::min(bytes.size(), size));
}

}  // namespace

bool isId3v1(std::span<const std::uint8_t> last128) {
    return last128.size() == kId3v1Size && last128[0] == 'T' && last128[1] == 'A' &&
           last128[2] == 'G';
}

bool readId3v1(std::span<const std::uint8_t> last128, TagFields& fields) {
    if (!isId3v1(last128))
        return false;
    fields.inFile = true;
    fields.present = true;
    fields.changed = false;

    fields.title = decodeId3v1(fieldBytes(last128, 3, 30));
    fields.artist = decodeId3v1(fieldBytes(last128, 33, 30));
    fields.album = decodeId3v1(fieldBytes(last128, 63, 30));
    fields.setYear(leadingNumber(fieldBytes(last128, 93, 4)), false);

    const std::string_view comment(reinterpret_cast<const char*>(last128.data()) + 97, 30);
    if (comment.substr(0, 29).find('\0') != std::string_view::npos)
        fields.setTrack(last128[126], false);
    fields.comment = decodeId3v1(fieldBytes(last128, 97, 30));

    const auto genre = static_cast<std::int8_t>(last128[127]);
    fields.genre = genre < 0 ? -1 : genre;
    return true;
}

Id3v1Bytes renderId3v1(const TagFields& fields, std::int32_t fallbackGenre) {
    Id3v1Bytes tag{};
    tag[0] = 'T';
    tag[1] = 'A';
    tag[2] = 'G';
    putText(tag, 3, 30, fields.title);
    putText(tag, 33, 30, fields.artist);
    putText(tag, 63, 30, fields.album);
    putText(tag, 93, 4, fields.yearText);
    const bool hasTrack = fields.track >= 1 && fields.track <= 255;
    putText(tag, 97, fields.track != 0 ? 28 : 29, fields.comment);
    tag[126] = hasTrack ? static_cast<std::uint8_t>(fields.track) : 0;

    std::int32_t genre = 255;
    if (fields.genre >= 0)
        genre = std::min(fields.genre, 255);
    else if (fallbackGenre >= 0 && fallbackGenre <= 127)
        genre = fallbackGenre;
    tag[127] = static_cast<std::uint8_t>(genre);
    return tag;
}

}  // namespace tw::core
