// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
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

// What a Xing header holds. A field left empty is left out, and its flag with it: LAME writes
// all four (in its "Info" header of CBR files too), other encoders only some.
struct XingFields {
    std::optional<std::uint32_t> frames{};
    std::optional<std::uint32_t> bytes{};
    bool toc = false;  // 100 bytes of seek points
    std::optional<std::uint32_t> quality{};
    std::string_view marker = "Xing";
};

// A first frame carrying a Xing header where readers look for it: behind the side
// information, 36/21/13 bytes from the frame start.
Bytes xingFrame(const FrameSpec& spec, const XingFields& fields);
// Where xingFrame puts the marker, from the frame start.
std::size_t xingOffset(const FrameSpec& spec);

// A first frame carrying a VBRI header 36 bytes from the frame start (whatever the version
// and mode): version 1, delay, quality, then the byte and frame counts and an empty seek
// table, all big-endian.
Bytes vbriFrame(const FrameSpec& spec, std::uint32_t frameCount, std::uint32_t byteCount);

}  // namespace tw::test
