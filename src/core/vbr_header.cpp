// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/vbr_header.h"

#include <array>
#include <cstring>

#include "core/byte_order.h"
#include "core/byte_window.h"
#include "core/mpeg_header.h"

namespace tw::core {

namespace {

// The Xing header starts behind the side information, whose size depends on version and mode.
std::uint64_t xingOffset(const MpegHeader& h) {
    const bool mono = h.channelMode() == 3;
    if (h.isMpeg1())
        return mono ? 21 : 36;
    return mono ? 13 : 21;
}
constexpr std::uint64_t kVbriOffset = 4 + 32;

// "Xing", a flags word, then each field whose flag is set, in flag order: frames, bytes,
// a 100-byte seek table, a quality word. Encoders leave fields out, so a field is where
// its flag says, or not there at all.
std::optional<VbrHeader> readXing(ByteWindow& input, std::uint64_t at) {
    constexpr std::uint32_t kFramesFlag = 1;
    constexpr std::uint32_t kBytesFlag = 2;
    std::array<std::uint8_t, 16> bytes{};
    input.copyAt(at, bytes);
    if (std::memcmp(bytes.data(), "Xing", 4) != 0)
        return std::nullopt;
    const std::uint32_t flags = bigEndian32(bytes.data() + 4);
    if ((flags & kFramesFlag) == 0)
        return std::nullopt;
    VbrHeader header{.frames = bigEndian32(bytes.data() + 8)};
    if (flags & kBytesFlag)
        header.bytes = bigEndian32(bytes.data() + 12);
    return header;
}

// "VBRI", version, delay and quality (two bytes each), bytes, frames, then the seek table.
std::optional<VbrHeader> readVbri(ByteWindow& input, std::uint64_t at) {
    std::array<std::uint8_t, 18> bytes{};
    input.copyAt(at, bytes);
    if (std::memcmp(bytes.data(), "VBRI", 4) != 0)
        return std::nullopt;
    return VbrHeader{.frames = bigEndian32(bytes.data() + 14),
                     .bytes = bigEndian32(bytes.data() + 10)};
}

}  // namespace

std::optional<VbrHeader> readVbrHeader(ByteWindow& input, std::uint64_t framePosition,
                                       const MpegHeader& header) {
    auto found = readXing(input, framePosition + xingOffset(header));
    if (!found)
        found = readVbri(input, framePosition + kVbriOffset);
    // A count of 0 would make the average frame size infinite.
    if (found && found->frames == 0)
        return std::nullopt;
    return found;
}

}  // namespace tw::core
