// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/mpeg_header.h"

namespace tw::core {

namespace {

// By row = bit 19 * 3 + layer bits (rows 1..3 MPEG 2/2.5 Layer III, II, I; rows 4..6
// MPEG 1 Layer III, II, I) and bitrate index.
constexpr int kBitrates[7][16] = {
    {},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
};

constexpr int kSampleRates[4][4] = {
    {11025, 12000, 8000, 0}, {0, 0, 0, 0}, {22050, 24000, 16000, 0}, {44100, 48000, 32000, 0}};

constexpr double kVersionNumbers[4] = {2.5, 0.0, 2.0, 1.0};

}  // namespace

bool MpegHeader::valid() const {
    return (word_ & 0xFFE00000u) == 0xFFE00000u && versionBits() != 1 && layerBits() != 0 &&
           bitrateIndex() != 0 && bitrateIndex() != 15 && sampleRateIndex() != 3 && emphasis() != 2;
}

double MpegHeader::versionNumber() const {
    return kVersionNumbers[versionBits()];
}

int MpegHeader::bitrateKbps() const {
    const int row = ((word_ >> 19) & 1) * 3 + layerBits();
    return kBitrates[row][bitrateIndex()];
}

int MpegHeader::sampleRate() const {
    return kSampleRates[versionBits()][sampleRateIndex()];
}

int MpegHeader::samplesPerFrame() const {
    switch (layer()) {
        case 1:
            return 384;
        case 2:
            return 1152;
        case 3:
            return isMpeg1() ? 1152 : 576;
        default:
            return 0;
    }
}

std::uint32_t MpegHeader::frameLength() const {
    const int rate = sampleRate();
    if (rate == 0)
        return 0;
    const std::uint64_t bitsPerSecond = static_cast<std::uint64_t>(bitrateKbps()) * 1000;
    const unsigned pad = padding() ? 1 : 0;
    // Layer I counts four-byte slots; the others bytes.
    if (layer() == 1)
        return static_cast<std::uint32_t>((12 * bitsPerSecond / rate + pad) * 4);
    const std::uint64_t bytesPerBitrate = static_cast<std::uint64_t>(samplesPerFrame()) / 8;
    return static_cast<std::uint32_t>(bytesPerBitrate * bitsPerSecond / rate + pad);
}

}  // namespace tw::core
