// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/tag_fields.h"

namespace tw::core {

// The ID3v1 tag: the last 128 bytes of a file, starting with "TAG".
//
// Layout: "TAG", title 30, artist 30, album 30, year 4, comment 30, genre 1. In the ID3v1.1
// form the comment is 28 bytes, then a zero byte and the track number. Texts are zero
// padded and in the code page of the ID3v1CodePage setting.
inline constexpr std::size_t kId3v1Size = 128;
using Id3v1Bytes = std::array<std::uint8_t, kId3v1Size>;

// Whether the bytes are an ID3v1 tag.
bool isId3v1(std::span<const std::uint8_t> last128);

// Reads the tag into `fields` and marks it in the file and present, not changed. Texts are
// cut at their first zero byte, trailing blanks trimmed; the year goes through setYear;
// a zero byte within the first 29 comment bytes makes the 30th the track number; genre
// bytes 128..255 (so also 254 "Data" and 255 "Not Set") read as no genre. Returns false,
// leaving `fields` alone, when the bytes are no ID3v1 tag.
bool readId3v1(std::span<const std::uint8_t> last128, TagFields& fields);

// The tag for `fields`. The genre byte is fields.genre when set; else `fallbackGenre` (the
// ID3v2 genre) when it lies in 0..127; else 255. A track outside 1..255 is not written.
Id3v1Bytes renderId3v1(const TagFields& fields, std::int32_t fallbackGenre);

}  // namespace tw::core
