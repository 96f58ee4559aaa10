// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/ogg_head.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>
#include <utility>

#include "core/byte_order.h"

namespace tw::core {

namespace {

constexpr std::uint64_t kPageHeader = 27;
constexpr std::uint8_t kContinued = 0x01;
constexpr std::uint8_t kFirst = 0x02;
constexpr std::uint8_t kLast = 0x04;
constexpr std::uint8_t kWholeSegment = 255;  // a lacing value whose packet goes on
// The granule position of a page on which no packet ends.
constexpr std::uint64_t kNoGranule = ~std::uint64_t{0};

// The CRC Ogg pages carry (polynomial 0x04C11DB7, most significant bit first), four bytes
// at a time: every save checks the header pages a few times over, and TagLib's checksum,
// a byte at a time on a copy, was a fifth of the time a grown comment took.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 4>;

constexpr CrcTables makeCrcTables() {
    CrcTables tables{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t crc = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        tables[0][i] = crc;
    }
    for (std::size_t t = 1; t < tables.size(); ++t)
        for (std::size_t i = 0; i < 256; ++i)
            tables[t][i] = (tables[t - 1][i] << 8) ^ tables[0][tables[t - 1][i] >> 24];
    return tables;
}

constexpr CrcTables kCrcTables = makeCrcTables();

std::uint32_t crcOf(std::span<const std::uint8_t> bytes) {
    const auto& t = kCrcTables;
    std::uint32_t crc = 0;
    std::size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        crc ^= bigEndian32(&bytes[i]);
        crc =
            t[3][crc >> 24] ^ t[2][(crc >> 16) & 0xFF] ^ t[1][(crc >> 8) & 0xFF] ^ t[0][crc & 0xFF];
    }
    for (; i < bytes.size(); ++i)
        crc = (crc << 8) ^ t[0][(crc >> 24) ^ bytes[i]];
    return crc;
}

void putLittleEndian(std::span<std::uint8_t> out, std::uint64_t value) {
    for (std::uint8_t& byte : out) {
        byte = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
}

struct Page {
    std::uint8_t flags = 0;
    std::uint32_t serial = 0;
    std::uint32_t sequence = 0;
    std::vector<std::uint8_t> bytes;  // all of it, header included

    std::span<const std::uint8_t> lacing() const {
        return std::span(bytes).subspan(kPageHeader, bytes[kPageHeader - 1]);
    }
    std::span<const std::uint8_t> payload() const {
        return std::span(bytes).subspan(kPageHeader + bytes[kPageHeader - 1]);
    }
};

// The page at `at`, when it is whole, within `size` and its CRC right.
std::optional<Page> pageAt(const ByteReader& read, std::uint64_t at, std::uint64_t size) {
    Page page;
    page.bytes.resize(kPageHeader + 255);
    const auto header = std::span(page.bytes).first(kPageHeader);
    if (size < at || size - at < kPageHeader || !read(at, header) ||
        std::string_view(reinterpret_cast<const char*>(header.data()), 4) != "OggS" ||
        header[4] != 0)
        return std::nullopt;
    const std::size_t segments = header[26];
    const auto lacing = std::span(page.bytes).subspan(kPageHeader, segments);
    if (size - at < kPageHeader + segments || !read(at + kPageHeader, lacing))
        return std::nullopt;
    std::uint64_t length = kPageHeader + segments;
    for (const std::uint8_t value : lacing)
        length += value;
    page.bytes.resize(static_cast<std::size_t>(length));
    if (size - at < length ||
        !read(at + kPageHeader + segments, std::span(page.bytes).subspan(kPageHeader + segments)))
        return std::nullopt;
    page.flags = page.bytes[5];
    page.serial = littleEndian32(&page.bytes[14]);
    page.sequence = littleEndian32(&page.bytes[18]);
    const std::uint32_t crc = littleEndian32(&page.bytes[22]);
    std::fill_n(page.bytes.begin() + 22, 4, 0);
    if (crcOf(page.bytes) != crc)
        return std::nullopt;
    return page;
}

std::uint64_t segmentsOf(std::uint64_t packetLength) {
    return packetLength / kWholeSegment + 1;
}

}  // namespace

std::size_t oggHeadPackets(AudioFormat format) {
    return format == AudioFormat::OggVorbis ? 2 : 1;
}

std::optional<OggHead> oggHead(const ByteReader& read, std::uint64_t size, std::size_t packets) {
    const auto first = pageAt(read, 0, size);
    // The first page holds the identification packet and nothing else.
    if (!first || first->flags != kFirst || first->lacing().empty() ||
        std::count_if(first->lacing().begin(), first->lacing().end(),
                      [](std::uint8_t value) { return value < kWholeSegment; }) != 1 ||
        first->lacing().back() == kWholeSegment)
        return std::nullopt;
    OggHead head{.start = first->bytes.size(),
                 .end = first->bytes.size(),
                 .serial = first->serial,
                 .firstSequence = first->sequence + 1,
                 .pageCount = 0,
                 .pageSegments = {},
                 .packets = {}};
    std::vector<std::uint8_t> packet;
    bool open = false;  // a packet goes on from the page before
    while (head.packets.size() < packets) {
        const auto page =
            head.end - head.start < kMostOggHeadBytes ? pageAt(read, head.end, size) : std::nullopt;
        if (!page || page->serial != head.serial ||
            page->sequence != head.firstSequence + head.pageCount ||
            (page->flags & (kFirst | kLast)) != 0 || ((page->flags & kContinued) != 0) != open)
            return std::nullopt;
        const auto lacing = page->lacing();
        auto payload = page->payload().begin();
        for (std::size_t i = 0; i < lacing.size(); ++i) {
            // Audio on the page of the last header packet would be laid out with it.
            if (head.packets.size() == packets)
                return std::nullopt;
            packet.insert(packet.end(), payload, payload + lacing[i]);
            payload += lacing[i];
            if (lacing[i] < kWholeSegment)
                head.packets.push_back(std::exchange(packet, {}));
        }
        open = !lacing.empty() && lacing.back() == kWholeSegment;
        head.end += page->bytes.size();
        head.pageSegments.push_back(lacing.size());
        ++head.pageCount;
    }
    return head;
}

std::uint64_t leastOggHeadEnd(const OggHead& head) {
    std::uint64_t end = head.start + head.pageCount * kPageHeader;
    for (const auto& packet : head.packets)
        end += segmentsOf(packet.size()) + packet.size();
    return end;
}

std::optional<std::vector<std::uint8_t>> layOutOggHead(const OggHead& head, std::uint64_t end) {
    const std::uint64_t least = leastOggHeadEnd(head);
    if (head.packets.empty() || head.pageCount == 0 || end < least)
        return std::nullopt;
    // A comment of 255 q + r bytes (r < 255) takes 256 q + r + 1 with its lacing values:
    // the one length whose r would be 255 cannot be made, the next one can.
    const std::vector<std::uint8_t>& comment = head.packets.front();
    const std::uint64_t spare = end - (least - comment.size() - segmentsOf(comment.size()) + 1);
    const std::uint64_t commentLength = spare % 256 == kWholeSegment
                                            ? (spare / 256 + 1) * kWholeSegment
                                            : spare / 256 * kWholeSegment + spare % 256;

    std::vector<std::uint8_t> lacing;
    std::vector<std::uint8_t> payload;
    for (std::size_t i = 0; i < head.packets.size(); ++i) {
        const auto& packet = head.packets[i];
        const std::uint64_t length = i == 0 ? commentLength : packet.size();
        lacing.insert(lacing.end(), static_cast<std::size_t>(length / kWholeSegment),
                      kWholeSegment);
        lacing.push_back(static_cast<std::uint8_t>(length % kWholeSegment));
        payload.insert(payload.end(), packet.begin(), packet.end());
        payload.resize(payload.size() + static_cast<std::size_t>(length - packet.size()), 0);
    }
    if (lacing.size() < head.pageCount || lacing.size() > head.pageCount * 255)
        return std::nullopt;

    std::vector<std::size_t> perPage = head.pageSegments;
    if (perPage.size() != head.pageCount ||
        std::accumulate(perPage.begin(), perPage.end(), std::size_t{0}) != lacing.size()) {
        perPage.assign(head.pageCount, lacing.size() / head.pageCount);
        std::fill_n(perPage.begin(), lacing.size() % head.pageCount, perPage.front() + 1);
    }
    std::vector<std::uint8_t> pages;
    std::size_t segment = 0;
    std::size_t byte = 0;
    for (std::size_t i = 0; i < head.pageCount; ++i) {
        const std::size_t count = perPage[i];
        const auto values = std::span(lacing).subspan(segment, count);
        std::size_t length = 0;
        for (const std::uint8_t value : values)
            length += value;
        const bool continued = segment > 0 && lacing[segment - 1] == kWholeSegment;
        const bool packetEnds = std::any_of(
            values.begin(), values.end(), [](std::uint8_t value) { return value < kWholeSegment; });
        const std::size_t at = pages.size();
        pages.resize(at + kPageHeader + count + length, 0);
        const auto page = std::span(pages).subspan(at);
        std::copy_n("OggS", 4, page.begin());
        page[5] = continued ? kContinued : 0;
        putLittleEndian(page.subspan(6, 8), packetEnds ? 0 : kNoGranule);
        putLittleEndian(page.subspan(14, 4), head.serial);
        putLittleEndian(page.subspan(18, 4), head.firstSequence + i);
        page[26] = static_cast<std::uint8_t>(count);
        std::copy(values.begin(), values.end(), page.begin() + kPageHeader);
        std::copy_n(payload.begin() + static_cast<std::ptrdiff_t>(byte), length,
                    page.begin() + static_cast<std::ptrdiff_t>(kPageHeader + count));
        putLittleEndian(page.subspan(22, 4), crcOf(page.first(kPageHeader + count + length)));
        segment += count;
        byte += length;
    }
    return pages;
}

bool growOggHead(std::vector<std::uint8_t>& head, AudioFormat format, std::uint64_t length) {
    const auto parsed = oggHead(readerOf(head), head.size(), oggHeadPackets(format));
    if (!parsed || parsed->end != head.size() || length < head.size())
        return false;
    const auto pages = layOutOggHead(*parsed, length);
    if (!pages || parsed->start + pages->size() != length)
        return false;
    std::vector<std::uint8_t> grown(head.begin(),
                                    head.begin() + static_cast<std::ptrdiff_t>(parsed->start));
    grown.insert(grown.end(), pages->begin(), pages->end());
    // What goes to the disk reads back as the same stream's head.
    const auto back = oggHead(readerOf(grown), grown.size(), oggHeadPackets(format));
    if (!back || back->pageCount != parsed->pageCount || back->end != grown.size())
        return false;
    head = std::move(grown);
    return true;
}

}  // namespace tw::core
