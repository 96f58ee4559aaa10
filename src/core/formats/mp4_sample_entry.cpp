// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/mp4_sample_entry.h"

#include <taglib/tfile.h>
// After tfile.h, which defines what it needs.
#include <taglib/mp4properties.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/byte_order.h"
#include "core/formats/format_layout.h"

namespace tw::core {

namespace {

// The "stsd" box: its header (8), version and flags (4), the entry count (4), then the
// first sample entry: its size (4) and type (4), 28 bytes of audio sample entry (more in
// QuickTime's versions 1 and 2), and then its boxes ("alac", "esds").
constexpr std::size_t kEntryType = 20;
constexpr std::size_t kEntryVersion = 32;
constexpr std::size_t kEntryBoxes = 52;
constexpr std::size_t kLargestDescription = 4096;

std::size_t entryBoxesAt(const std::vector<std::uint8_t>& stsd) {
    if (stsd.size() < kEntryBoxes)
        return 0;
    switch (bigEndian(std::span(stsd).subspan(kEntryVersion, 2))) {
        case 0:
            return kEntryBoxes;
        case 1:
            return kEntryBoxes + 16;
        case 2:
            return kEntryBoxes + 36;
        default:
            return 0;
    }
}

std::optional<FormatStream> alacStream(const std::vector<std::uint8_t>& stsd, std::size_t box) {
    // The box's header and version and flags, then the ALAC configuration (24 bytes).
    const std::size_t config = box + 12;
    if (config + 24 > stsd.size())
        return std::nullopt;
    return FormatStream{
        .codec = "ALAC",
        .sampleRate = static_cast<int>(bigEndian(std::span(stsd).subspan(config + 20, 4))),
        .channels = stsd[config + 9],
        .bitsPerSample = stsd[config + 5],
        .bitrate = 0,
        .lengthMs = 0,
    };
}

// An MPEG-4 descriptor of `tag` at `at`: where its contents start and end, the length in up
// to four bytes of seven bits each.
std::optional<std::pair<std::size_t, std::size_t>> descriptor(
    const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t end, std::uint8_t tag) {
    if (at >= end || bytes[at] != tag)
        return std::nullopt;
    std::size_t length = 0;
    std::size_t next = at + 1;
    for (int i = 0; i < 4; ++i) {
        if (next >= end)
            return std::nullopt;
        const std::uint8_t byte = bytes[next++];
        length = length << 7 | (byte & 0x7Fu);
        if ((byte & 0x80) == 0)
            break;
    }
    if (length > end - next)
        return std::nullopt;
    return std::pair(next, next + length);
}

// The channels an AAC "esds" box's audio configuration gives, 0 where it does not say.
int aacChannels(const std::vector<std::uint8_t>& stsd, const Mp4Box& box) {
    const auto es = descriptor(stsd, box.payload + 4, box.end, 0x03);
    if (!es || es->second - es->first < 3)
        return 0;
    const std::uint8_t flags = stsd[es->first + 2];
    std::size_t at = es->first + 3 + ((flags & 0x80) != 0 ? 2 : 0) + ((flags & 0x20) != 0 ? 2 : 0);
    if ((flags & 0x40) != 0)  // a URL, behind its length
        at += at < es->second ? 1 + stsd[at] : 0;
    const auto config = descriptor(stsd, at, es->second, 0x04);
    if (!config)
        return 0;
    const auto specific = descriptor(stsd, config->first + 13, config->second, 0x05);
    if (!specific || specific->second - specific->first < 2)
        return 0;
    // The audio object type (5 bits), the sampling frequency index (4 bits, or 24 more
    // bits of the frequency itself after an index of 15), the channel configuration.
    std::uint64_t bits = 0;
    const std::size_t count = std::min<std::size_t>(specific->second - specific->first, 6);
    for (std::size_t i = 0; i < 6; ++i)
        bits = bits << 8 | (i < count ? stsd[specific->first + i] : 0);
    const unsigned objectType = static_cast<unsigned>(bits >> 43) & 0x1F;
    const unsigned frequencyIndex = static_cast<unsigned>(bits >> 39) & 0x0F;
    const unsigned shift = frequencyIndex == 15 ? 11 : 35;
    if (objectType == 31 || (frequencyIndex == 15 && count < 5))
        return 0;  // an escaped object type moves every field behind it: rare, left to TagLib
    const unsigned channelConfiguration = static_cast<unsigned>(bits >> shift) & 0x0F;
    if (objectType == 29)  // parametric stereo: a mono core that plays as stereo
        return 2;
    constexpr std::array<int, 8> kChannels = {0, 1, 2, 3, 4, 5, 6, 8};
    return channelConfiguration < kChannels.size() ? kChannels[channelConfiguration] : 0;
}

// What the first sample entry of a track's description `stsd` says.
Mp4SampleEntry entryOf(const std::vector<std::uint8_t>& stsd) {
    const std::size_t boxes = entryBoxesAt(stsd);
    if (boxes == 0)
        return {};
    const ByteReader read = readerOf(stsd);
    const std::string_view type(reinterpret_cast<const char*>(stsd.data()) + kEntryType, 4);
    const auto entry = findMp4Box(read, kEntryType - 4, stsd.size(), type);
    if (!entry || entry->end < boxes)
        return {};
    if (entry->is("alac")) {
        const auto box = findMp4Box(read, boxes, entry->end, "alac");
        return {.alac = box ? alacStream(stsd, box->start) : std::nullopt, .aacChannels = 0};
    }
    if (!entry->is("mp4a"))
        return {};
    // QuickTime's version 1 puts the decoder configuration into a "wave" box.
    auto esds = findMp4Box(read, boxes, entry->end, "esds");
    if (!esds)
        if (const auto wave = findMp4Box(read, boxes, entry->end, "wave"))
            esds = findMp4Box(read, wave->payload, wave->end, "esds");
    return {.alac = std::nullopt, .aacChannels = esds ? aacChannels(stsd, *esds) : 0};
}

}  // namespace

Mp4SampleEntry mp4SampleEntryOf(TagLib::File& file) {
    // The boxes are walked here, not through TagLib's atom tree: building that tree a
    // second time costs more than all the rest of reading such a file.
    const ByteReader read = [&file](std::uint64_t at, std::span<std::uint8_t> out) {
        file.seek(static_cast<long>(at));
        const TagLib::ByteVector bytes = file.readBlock(static_cast<unsigned long>(out.size()));
        if (bytes.size() != out.size())
            return false;
        std::copy(bytes.begin(), bytes.end(), out.begin());
        return true;
    };
    return mp4SampleEntryOf(read, static_cast<std::uint64_t>(file.length()));
}

Mp4SampleEntry mp4SampleEntryOf(const ByteReader& read, std::uint64_t size) {
    const auto moov = findMp4Box(read, 0, size, "moov");
    if (!moov)
        return {};
    for (std::uint64_t from = moov->payload;;) {
        const auto trak = findMp4Box(read, from, moov->end, "trak");
        if (!trak)
            return {};
        from = trak->end;
        std::optional<Mp4Box> box = trak;
        for (const char* type : {"mdia", "minf", "stbl", "stsd"})
            if (box)
                box = findMp4Box(read, box->payload, box->end, type);
        if (!box || box->end - box->start > kLargestDescription)
            continue;
        std::vector<std::uint8_t> stsd(static_cast<std::size_t>(box->end - box->start));
        if (!read(box->start, stsd))
            continue;
        if (Mp4SampleEntry entry = entryOf(stsd); entry.alac || entry.aacChannels > 0)
            return entry;
    }
}

Mp4Properties mp4PropertiesOf(const TagLib::MP4::Properties& properties) {
    using enum Mp4Properties::Codec;
    const auto codec = properties.codec();
    return {.codec = codec == TagLib::MP4::Properties::AAC    ? Aac
                     : codec == TagLib::MP4::Properties::ALAC ? Alac
                                                              : Unknown,
            .sampleRate = properties.sampleRate(),
            .channels = properties.channels(),
            .bitsPerSample = properties.bitsPerSample(),
            .bitrate = properties.bitrate(),
            .lengthMs = properties.lengthInMilliseconds()};
}

FormatStream mp4StreamOf(const Mp4Properties& properties, Mp4SampleEntry entry, long fileSize) {
    FormatStream stream{.codec = "MP4",
                        .sampleRate = properties.sampleRate,
                        .channels = properties.channels,
                        .bitsPerSample = 0,
                        .bitrate = properties.bitrate,
                        .lengthMs = properties.lengthMs};
    switch (properties.codec) {
        case Mp4Properties::Codec::Aac:
            stream.codec = "AAC";
            if (entry.aacChannels > 0)
                stream.channels = entry.aacChannels;
            break;
        case Mp4Properties::Codec::Alac:
            // Only a lossless codec's samples have a width worth showing.
            stream.codec = "ALAC";
            stream.bitsPerSample = properties.bitsPerSample;
            break;
        case Mp4Properties::Codec::Unknown:
            if (entry.alac) {
                // Its configuration's average bitrate is what the encoder guessed; the
                // length TagLib has from the track header.
                stream = std::move(*entry.alac);
                stream.lengthMs = properties.lengthMs;
                if (stream.lengthMs > 0)
                    stream.bitrate = static_cast<int>(fileSize * 8 / stream.lengthMs);
            }
            break;
    }
    return stream;
}

}  // namespace tw::core
