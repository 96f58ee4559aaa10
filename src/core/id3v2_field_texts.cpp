// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_field_texts.h"

#include <taglib/id3v1genres.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "core/id3v2_frame_texts.h"
#include "core/id3v2_frame_walk.h"

namespace tw::core {

namespace {

constexpr std::uint64_t kFrameHeaderSize = 10;

std::optional<FieldFrame> fieldFrameOf(std::string_view id, int version) {
    if (version == 3 && id == "TYER")
        return FieldFrame::Date;  // TagLib's name for it
    const auto found = std::find(kReadFrameIds.begin(), kReadFrameIds.end(), id);
    if (found == kReadFrameIds.end())
        return std::nullopt;
    return static_cast<FieldFrame>(found - kReadFrameIds.begin());
}

// TagLib's names of the ID3v1 genres, by number (empty past the last).
const std::array<std::string, 256>& id3v1GenreNames() {
    static const std::array<std::string, 256> names = [] {
        std::array<std::string, 256> all;
        for (int number = 0; number < 256; ++number)
            all[static_cast<std::size_t>(number)] = TagLib::ID3v1::genre(number).to8Bit(true);
        return all;
    }();
    return names;
}

// Whether TagLib keeps the genre code of "(code)rest" as a value of its own: "RX" and "CR",
// and a number from 0 to 255 unless `rest` is that genre's name.
bool keepsGenreCode(std::string_view code, std::string_view rest) {
    if (code == "RX" || code == "CR")
        return true;
    const std::string digits(code);
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(digits.c_str(), &end, 10);
    const bool whole =
        errno == 0 && end > digits.c_str() && *end == '\0' && number > INT_MIN && number < INT_MAX;
    return whole && number >= 0 && number <= 255 &&
           id3v1GenreNames()[static_cast<std::size_t>(number)] != rest;
}

// The first value TagLib keeps of a TCON frame. On reading it splits "(code)" prefixes off
// the values: "(17)Rock" gives "Rock", "(17)" gives "17", "(4)Rock" gives "4" then "Rock",
// and codes that are no genre number are dropped. False where that cannot be copied: a
// value it holds as UTF-16 that is no text, a code that is not ASCII (which TagLib reads
// with the wide-character functions of the locale).
bool readGenreText(std::span<const std::uint8_t> body, std::string& genre) {
    TextFrameValues values(body);
    std::string value;
    while (values.next(value)) {
        if (values.lastWasBroken())
            return false;
        std::string_view rest = value;
        while (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')', 1);
            if (close == std::string_view::npos)
                break;
            const std::string_view code = rest.substr(1, close - 1);
            rest.remove_prefix(close + 1);
            if (std::any_of(code.begin(), code.end(), [](char c) { return c & 0x80; }))
                return false;
            if (keepsGenreCode(code, rest)) {
                genre.assign(code);
                return true;
            }
        }
        if (!rest.empty()) {
            genre.assign(rest);
            return true;
        }
    }
    genre.clear();
    return values.readable();
}

bool readFieldText(FieldFrame field, std::span<const std::uint8_t> body, std::string& text) {
    switch (field) {
        case FieldFrame::Comment:
        case FieldFrame::Lyrics:
            return commentFrameText(body, text);
        case FieldFrame::Url:
            return userUrlFrameUrl(body, text);
        case FieldFrame::Genre:
            return readGenreText(body, text);
        default: {
            TextFrameValues values(body);
            if (values.next(text))
                return true;
            text.clear();
            return values.readable();
        }
    }
}

}  // namespace

bool readFieldTexts(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
                    FieldFrameTexts& texts, std::vector<PictureInfo>& pictures) {
    if (header.majorVersion == 2 || header.unsynchronised())
        return false;
    thread_local Id3v2FramePlaces walk;
    listId3v2Frames(header, file, tagLength, walk);
    texts.clear();
    pictures.clear();
    const std::string_view pictureId = pictureFrameId(header.majorVersion);
    for (const Id3v2FramePlace& frame : walk.frames) {
        if (frame.id == pictureId) {
            const std::uint64_t head =
                std::min<std::uint64_t>(frame.length, kFrameHeaderSize + Id3v2RawFrame::kHeadBytes);
            pictures.push_back(
                parsePictureHead(file.bytesAt(frame.offset, static_cast<std::size_t>(head)),
                                 frame.length, header.majorVersion));
            continue;
        }
        const auto field = fieldFrameOf(frame.id, header.majorVersion);
        if (!field || texts[*field])
            continue;
        const bool formatFlags = (frame.flags & 0xFF) != 0;
        if (formatFlags)
            return false;
        const auto body = file.bytesAt(frame.offset + kFrameHeaderSize,
                                       static_cast<std::size_t>(frame.length - kFrameHeaderSize));
        if (!readFieldText(*field, body, texts[*field].emplace()))
            return false;
    }
    return true;
}

}  // namespace tw::core
