// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tw::core {

// Reads `out.size()` bytes at an offset of some file; false when it cannot.
using ByteReader = std::function<bool(std::uint64_t, std::span<std::uint8_t>)>;
// Reads `bytes`, which must outlive it.
ByteReader readerOf(std::span<const std::uint8_t> bytes);

// One metadata block of a FLAC file: where its four-byte header is, its type (without the
// flag of the last block) and the length of the data behind the header.
struct FlacBlock {
    std::uint64_t header = 0;
    std::uint8_t type = 0;
    std::uint32_t length = 0;
};
inline constexpr std::uint8_t kFlacPadding = 1;
inline constexpr std::uint8_t kFlacVorbisComment = 4;

// Calls `visit` with each metadata block of a FLAC file of `size` bytes, in order, and
// returns where its audio starts: behind an ID3v2 tag, if any, the "fLaC" marker and the
// blocks up to the one flagged last. None when the bytes are no FLAC stream or a block runs
// past the end (the blocks before it have been visited).
std::optional<std::uint64_t> forEachFlacBlock(const ByteReader& read, std::uint64_t size,
                                              const std::function<void(const FlacBlock&)>& visit);

// Where the audio of a FLAC file starts, as forEachFlacBlock finds it.
std::optional<std::uint64_t> flacAudioStart(const ByteReader& read, std::uint64_t size);

// Makes the metadata of a FLAC file, `head` (everything before its audio), `extra` bytes
// longer by growing its last block where that is padding. False, changing nothing, when it
// is not (or would grow past a block's largest size).
bool growFlacPadding(std::vector<std::uint8_t>& head, std::uint64_t extra);

// A box of an MP4 file: where it starts, where its contents start, where it ends.
struct Mp4Box {
    std::uint64_t start = 0;
    std::uint64_t payload = 0;
    std::uint64_t end = 0;
    std::array<char, 4> type{};

    bool is(std::string_view name) const { return std::string_view(type.data(), 4) == name; }
};

// The first box named `type` among the boxes that lie from `start` to `end`; none when there
// is none or a box before it states a size that does not fit.
std::optional<Mp4Box> findMp4Box(const ByteReader& read, std::uint64_t start, std::uint64_t end,
                                 std::string_view type);

// The boxes that lie from `start` to `end`, in order; none when one runs past `end`.
std::optional<std::vector<Mp4Box>> mp4BoxesIn(const ByteReader& read, std::uint64_t start,
                                              std::uint64_t end);
// Whether TagLib's MP4 parser reads the children of a box named `name`.
bool isMp4Container(std::string_view name);
// A "meta" box is written both with and without the version and flags of a full box;
// TagLib tells them apart by the name of what follows them at `at` (in a file of `size`
// bytes), and so does this.
bool mp4MetaIsFullBox(const ByteReader& read, std::uint64_t size, std::uint64_t at);

// The box of an MP4 file's tag items ("ilst" in moov/udta/meta), where TagLib finds it.
std::optional<Mp4Box> findMp4Ilst(const ByteReader& read, std::uint64_t size);

// The boxes of an MP4 file that hold or point at its audio: the payload of every top-level
// "mdat" box, and every chunk offset of the sample tables ("stco", "co64") of the tracks of
// its "moov" box, in file order. None when the boxes do not add up to the file's size or
// "moov" is larger than kMostMoovBytes.
struct Mp4Layout {
    struct Range {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };
    std::vector<Range> mediaData;
    std::vector<std::uint64_t> chunkOffsets;
};
inline constexpr std::uint64_t kMostMoovBytes = 64ull * 1024 * 1024;
std::optional<Mp4Layout> mp4Layout(const ByteReader& read, std::uint64_t size);

// Whether every chunk offset table ("stco", "co64") that TagLib finds under the first
// "moov" box, walking the boxes as its MP4 parser does (a child may run past its parent),
// holds the entries it claims within the file and lies outside the item list ("ilst").
// TagLib rewrites as many entries as a table claims, and a damaged count would keep it
// writing for minutes; a table in the list, which a save replaces, would be read from the
// new list's bytes.
bool mp4OffsetTablesFit(const ByteReader& read, std::uint64_t size);

}  // namespace tw::core
