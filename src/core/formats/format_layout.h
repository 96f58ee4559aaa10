// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tw::core {

// Reads `out.size()` bytes at an offset of some file; false when it cannot.
using ByteReader = std::function<bool(std::uint64_t, std::span<std::uint8_t>)>;
// Reads `bytes`, which must outlive it.
ByteReader readerOf(std::span<const std::uint8_t> bytes);

// Where the audio of a FLAC file of `size` bytes starts: behind an ID3v2 tag, if any, the
// "fLaC" marker and the metadata blocks up to the one flagged last. None when the bytes
// are no FLAC stream or a block runs past the end.
std::optional<std::uint64_t> flacAudioStart(const ByteReader& read, std::uint64_t size);

// Makes the metadata of a FLAC file, `head` (everything before its audio), `extra` bytes
// longer by growing its last block where that is padding. False, changing nothing, when it
// is not (or would grow past a block's largest size).
bool growFlacPadding(std::vector<std::uint8_t>& head, std::uint64_t extra);

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

}  // namespace tw::core
