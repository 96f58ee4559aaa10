// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/formats/audio_format.h"
#include "core/formats/overlay_stream.h"

namespace tw::core {

// What TagLib's save made of a file (an OverlayStream), in the terms the ways of writing it
// need: a save in place wants the same length, a save into inserted blocks a head of the
// file grown by whole blocks in front of its unchanged rest.

// The head in front of the file's own unchanged rest: how long it was and is. None when
// the end of the file changed too (an MP4 "moov" box behind the audio, Ogg pages
// renumbered by TagLib).
struct HeadChange {
    std::uint64_t oldLength = 0;
    std::uint64_t newLength = 0;
};
std::optional<HeadChange> headChangeOf(const OverlayStream& result);

// Makes the head of a FLAC or Ogg file's result `wanted` bytes long by growing its padding
// (FLAC: the padding block last; Ogg: the zeros behind the comment), so that a tag that
// TagLib gave less padding still fits in place, or a grown one whole blocks. False, changing
// nothing, when it cannot (no padding last, a head already longer, Ogg pages that cannot
// be laid out to that length).
[[nodiscard]] bool fitHead(AudioFormat format, OverlayStream& result, std::uint64_t wanted);

// The ranges in which a result differs from the file, with both bytes. Where the result is
// of another length, only its end may have changed (an MP4 "moov" box behind the audio):
// the last range then runs to the end of both, with old and new bytes of other lengths.
// None when another part changed length, when the ranges hold more than `mostBytes` of old
// and new bytes together, or when the file could not be read.
struct ChangedRange {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> oldBytes;
    std::vector<std::uint8_t> newBytes;
};
std::optional<std::vector<ChangedRange>> changedRanges(OverlayStream& result,
                                                       std::uint64_t mostBytes);

}  // namespace tw::core
