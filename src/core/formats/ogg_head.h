// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/formats/audio_format.h"
#include "core/formats/format_layout.h"

namespace tw::core {

// The head of an Ogg Vorbis or Opus stream: its first page (the identification packet) and
// the pages that hold its other header packets, the comment and for Vorbis the setup packet
// behind it. Laid out anew over the same count of pages, with the comment packet padded by
// zeros (readers allow them behind it, and other programs leave them for later edits), a
// comment of another length leaves every audio page as it was, sequence number, CRC and all:
// only the head of the file changes, which may then be written in place or into blocks
// inserted at the start.
struct OggHead {
    std::uint64_t start = 0;  // where the page behind the first one starts
    std::uint64_t end = 0;    // where the first audio page starts
    std::uint32_t serial = 0;
    std::uint32_t firstSequence = 0;                 // of the page at `start`
    std::size_t pageCount = 0;                       // from `start` to `end`
    std::vector<std::size_t> pageSegments;           // how many lacing values each page has
    std::vector<std::vector<std::uint8_t>> packets;  // the comment packet first
};

// How many header packets follow the first page.
std::size_t oggHeadPackets(AudioFormat format);

// The head of the stream of `size` bytes that `read` gives. None when its pages are not of
// one stream in order, a page's CRC is wrong, audio shares a page with the last header
// packet, or the head is longer than kMostOggHeadBytes.
inline constexpr std::uint64_t kMostOggHeadBytes = 64ull * 1024 * 1024;
std::optional<OggHead> oggHead(const ByteReader& read, std::uint64_t size, std::size_t packets);

// Where the pages of `head` end at the least, the comment not padded.
std::uint64_t leastOggHeadEnd(const OggHead& head);

// The pages of `head` (from head.start on) with the comment padded so that they end at
// `end`, or one byte behind it where the lacing values cannot make them end there. As many
// lacing values as before keep their pages (a comment padded to its old length then changes
// only the pages it changed); others are spread evenly. None when the packets fill more
// pages than `head` has or less, or `end` is before leastOggHeadEnd().
std::optional<std::vector<std::uint8_t>> layOutOggHead(const OggHead& head, std::uint64_t end);

// Makes the head of an Ogg file, `head` (everything before its first audio page), exactly
// `length` bytes long by padding its comment. False, changing nothing, when it cannot.
bool growOggHead(std::vector<std::uint8_t>& head, AudioFormat format, std::uint64_t length);

}  // namespace tw::core
