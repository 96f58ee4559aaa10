// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "support/bytes.h"

namespace tw::test {

// Builds MPEG audio frames the way an encoder lays them out (ISO 11172-3 / 13818-3 frame
// lengths), with silent payloads. Builders throw std::invalid_argument for a bitrate or
// sample rate that the chosen version and layer do not have.

enum class MpegVersion { Mpeg1, Mpeg2, Mpeg25 };
enum class ChannelMode { Stereo = 0, JointStereo = 1, DualChannel = 2, Mono = 3 };

struct FrameSpec {
    MpegVersion version = MpegVersion::Mpeg1;
    int layer = 3;  // 1, 2 or 3
    int bitrateKbps = 128;
    int sampleRate = 44100;
    ChannelMode mode = ChannelMode::JointStereo;
    bool padding = false;
    bool crc = false;  // a CRC word follows the header
    bool copyright = false;
    bool original = false;
    int emphasis = 0;  // 0 none, 1 50/15 ms, 3 CCIT J.17 (2 is reserved)
};

// The four header bytes, big-endian.
std::uint32_t frameHeader(const FrameSpec& spec);
// Bytes of one frame, header included.
std::size_t frameLength(const FrameSpec& spec);
// Audio samples one frame holds (384, 576 or 1152).
int samplesPerFrame(const FrameSpec& spec);

// One frame: header, CRC word when asked, payload bytes of `fill`.
Bytes mpegFrame(const FrameSpec& spec, std::uint8_t fill = 0);
// `count` frames in a row.
Bytes mpegFrames(const FrameSpec& spec, int count);

// A first frame carrying a Xing (or, with marker "Info", a LAME CBR) header where readers
// look for it: behind the side information, 36/21/13 bytes from the frame start.
// `frameCount` and `byteCount` are stored with their flags.
Bytes xingFrame(const FrameSpec& spec, std::uint32_t frameCount, std::uint32_t byteCount,
                std::string_view marker = "Xing");
// Where xingFrame puts the marker, from the frame start.
std::size_t xingOffset(const FrameSpec& spec);

}  // namespace tw::test
