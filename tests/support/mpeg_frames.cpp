// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/mpeg_frames.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace tw::test {

namespace {

bool isMpeg1(const FrameSpec& spec) {
    return spec.version == MpegVersion::Mpeg1;
}

// Bitrates by index 1..14.
constexpr std::array<std::array<int, 14>, 6> kBitrates = {{
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG 1 Layer I
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG 1 Layer II
    {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG 1 Layer III
    {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG 2 Layer I
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG 2 Layer II
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG 2 Layer III
}};

int bitrateIndex(const FrameSpec& spec) {
    if (spec.layer < 1 || spec.layer > 3)
        throw std::invalid_argument("layer");
    const auto& row = kBitrates[(isMpeg1(spec) ? 0 : 3) + spec.layer - 1];
    auto it = std::find(row.begin(), row.end(), spec.bitrateKbps);
    if (it == row.end())
        throw std::invalid_argument("bitrate");
    return static_cast<int>(it - row.begin()) + 1;
}

int sampleRateIndex(const FrameSpec& spec) {
    constexpr std::array<std::array<int, 3>, 3> kRates = {
        {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}}};
    const auto& row = kRates[static_cast<int>(spec.version)];
    auto it = std::find(row.begin(), row.end(), spec.sampleRate);
    if (it == row.end())
        throw std::invalid_argument("sample rate");
    return static_cast<int>(it - row.begin());
}

}  // namespace

std::uint32_t frameHeader(const FrameSpec& spec) {
    constexpr std::uint32_t kVersionBits[] = {3, 2, 0};
    std::uint32_t h = 0xFFE00000u;
    h |= kVersionBits[static_cast<int>(spec.version)] << 19;
    h |= static_cast<std::uint32_t>(4 - spec.layer) << 17;
    h |= (spec.crc ? 0u : 1u) << 16;
    h |= static_cast<std::uint32_t>(bitrateIndex(spec)) << 12;
    h |= static_cast<std::uint32_t>(sampleRateIndex(spec)) << 10;
    h |= (spec.padding ? 1u : 0u) << 9;
    h |= static_cast<std::uint32_t>(spec.mode) << 6;
    h |= (spec.copyright ? 1u : 0u) << 3;
    h |= (spec.original ? 1u : 0u) << 2;
    h |= static_cast<std::uint32_t>(spec.emphasis & 3);
    return h;
}

int samplesPerFrame(const FrameSpec& spec) {
    if (spec.layer == 1)
        return 384;
    if (spec.layer == 2 || isMpeg1(spec))
        return 1152;
    return 576;
}

std::size_t frameLength(const FrameSpec& spec) {
    bitrateIndex(spec);  // validates
    const long bitsPerSecond = spec.bitrateKbps * 1000L;
    const long pad = spec.padding ? 1 : 0;
    if (spec.layer == 1)
        return static_cast<std::size_t>((12 * bitsPerSecond / spec.sampleRate + pad) * 4);
    const long slotsPerBit = samplesPerFrame(spec) / 8;
    return static_cast<std::size_t>(slotsPerBit * bitsPerSecond / spec.sampleRate + pad);
}

Bytes mpegFrame(const FrameSpec& spec, std::uint8_t fill) {
    Bytes frame;
    appendBigEndian(frame, frameHeader(spec), 4);
    if (spec.crc)
        appendBigEndian(frame, 0xBEEF, 2);
    frame.resize(frameLength(spec), fill);
    return frame;
}

Bytes mpegFrames(const FrameSpec& spec, int count) {
    const Bytes one = mpegFrame(spec);
    Bytes out;
    out.reserve(one.size() * static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        append(out, one);
    return out;
}

std::size_t xingOffset(const FrameSpec& spec) {
    const bool mono = spec.mode == ChannelMode::Mono;
    if (isMpeg1(spec))
        return mono ? 21 : 36;
    return mono ? 13 : 21;
}

namespace {

// `header` laid over `frame` from `at` on.
Bytes withHeaderAt(Bytes frame, std::size_t at, const Bytes& header) {
    if (at + header.size() > frame.size())
        throw std::invalid_argument("frame too small for its VBR header");
    std::copy(header.begin(), header.end(), frame.begin() + static_cast<std::ptrdiff_t>(at));
    return frame;
}

}  // namespace

Bytes xingFrame(const FrameSpec& spec, const XingFields& fields) {
    Bytes xing = bytesOf(fields.marker.substr(0, 4));
    const std::uint32_t flags = (fields.frames ? 1u : 0u) | (fields.bytes ? 2u : 0u) |
                                (fields.toc ? 4u : 0u) | (fields.quality ? 8u : 0u);
    appendBigEndian(xing, flags, 4);
    if (fields.frames)
        appendBigEndian(xing, *fields.frames, 4);
    if (fields.bytes)
        appendBigEndian(xing, *fields.bytes, 4);
    if (fields.toc)
        for (int i = 0; i < 100; ++i)
            xing.push_back(static_cast<std::uint8_t>(i * 255 / 100));
    if (fields.quality)
        appendBigEndian(xing, *fields.quality, 4);
    return withHeaderAt(mpegFrame(spec), xingOffset(spec), xing);
}

Bytes vbriFrame(const FrameSpec& spec, std::uint32_t frameCount, std::uint32_t byteCount) {
    Bytes vbri = bytesOf("VBRI");
    appendBigEndian(vbri, 1, 2);     // version
    appendBigEndian(vbri, 1105, 2);  // encoder delay
    appendBigEndian(vbri, 75, 2);    // quality
    appendBigEndian(vbri, byteCount, 4);
    appendBigEndian(vbri, frameCount, 4);
    appendBigEndian(vbri, 0, 2);  // seek table entries
    appendBigEndian(vbri, 1, 2);  // scale
    appendBigEndian(vbri, 2, 2);  // bytes per entry
    appendBigEndian(vbri, 0, 2);  // frames per entry
    return withHeaderAt(mpegFrame(spec), 36, vbri);
}

}  // namespace tw::test
