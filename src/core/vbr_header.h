// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace tw::core {

class ByteWindow;
class MpegHeader;

// What a VBR header in the first frame of a stream says about the whole stream. Two kinds
// are in use: the Xing header behind the frame's side information, and the VBRI header 32
// bytes behind the frame header. LAME's "Info" header, which has the Xing layout, marks a
// constant-bitrate stream; its frame header's bitrate is exact, so it is not read as one.
struct VbrHeader {
    std::uint32_t frames = 0;  // never 0
    std::uint32_t bytes = 0;   // bytes of the stream; 0 when the header does not say
};

// The VBR header of the frame with `header` at `framePosition`. Nothing when there is none,
// and nothing when it does not count the frames: without a count it tells neither the play
// time nor the average bitrate.
std::optional<VbrHeader> readVbrHeader(ByteWindow& input, std::uint64_t framePosition,
                                       const MpegHeader& header);

}  // namespace tw::core
