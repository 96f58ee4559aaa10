// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

namespace tw::core {

// The four-byte header of an MPEG audio frame (bit 31 is the first bit of the first byte)
// and what the ISO 11172-3 / 13818-3 tables make of it.
class MpegHeader {
public:
    MpegHeader() = default;
    explicit MpegHeader(std::uint32_t word) : word_(word) {}

    std::uint32_t word() const { return word_; }

    // Sync bits set, and no reserved or forbidden value: version, layer, bitrate index
    // (neither free nor bad), sample rate index, emphasis.
    bool valid() const;

    int versionBits() const { return (word_ >> 19) & 3; }  // 0 MPEG 2.5, 2 MPEG 2, 3 MPEG 1
    int layerBits() const { return (word_ >> 17) & 3; }    // 1 Layer III, 2 II, 3 I
    int layer() const { return layerBits() == 0 ? 0 : 4 - layerBits(); }
    bool isMpeg1() const { return versionBits() == 3; }
    bool protectedByCrc() const { return ((word_ >> 16) & 1) == 0; }
    int bitrateIndex() const { return (word_ >> 12) & 15; }
    int sampleRateIndex() const { return (word_ >> 10) & 3; }
    bool padding() const { return (word_ >> 9) & 1; }
    int channelMode() const { return (word_ >> 6) & 3; }  // 0 stereo, 1 joint, 2 dual, 3 mono
    bool copyright() const { return (word_ >> 3) & 1; }
    bool original() const { return (word_ >> 2) & 1; }
    int emphasis() const { return word_ & 3; }

    double versionNumber() const;  // 1.0, 2.0, 2.5 (0.0 for the reserved version)
    int bitrateKbps() const;       // 0 for index 0 and 15
    int sampleRate() const;        // Hz, 0 for reserved values
    int samplesPerFrame() const;   // 384, 576 or 1152 (0 for a reserved layer)
    // Bytes of the frame this header starts; 0 when the sample rate is 0.
    std::uint32_t frameLength() const;

private:
    std::uint32_t word_ = 0;
};

}  // namespace tw::core
